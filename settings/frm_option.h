#pragma once
#include "platform/ChildWindow.h"

class OptionGeneralPanel;
class OptionRangePanel;
class OptionVfoPanel;
class QPushButton;

// The optional features: the general options of the radio, the frequency
// (VFO) mode and the working frequency range, each a panel of its own.
// Every change goes into the image at once; whatever the window shows comes
// from the image.
class frm_option : public ChildWindow {
    Q_OBJECT
public:
    explicit frm_option(WindowRegistry &registry);

    void Form_Load() override;
    void Form_Activate() override;
    bool Form_Unload() override;

    // Shows the image; writes nothing back.
    void LoadFromImage();

    OptionGeneralPanel *general;
    OptionVfoPanel *frequencyMode;
    OptionRangePanel *workingRange;

    QPushButton *Command_close;
    QPushButton *Command_help;

protected:
    void showDocumentChange(int firstRow, int lastRow) override;

private:
    void buildLayout();
    void setCaptions();
};
