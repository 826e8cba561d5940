#pragma once
#include "settings/OptionPanel.h"

class QGroupBox;
class QLabel;
class QLineEdit;

// The working frequency range: its lower and upper limit in whole MHz,
// kept inside the radio's band. A changed range is checked against the
// frequency mode and the channels.
class OptionRangePanel : public OptionPanel {
    Q_OBJECT
public:
    // The controls are children of `window`.
    explicit OptionRangePanel(ChildWindow *window);

    void setCaptions();
    // Shows the stored range and makes it the one the frequencies are
    // checked against: the windows' working range.
    void loadFromImage();
    // Shows the image's range only.
    void showRange();

    QGroupBox *Frame_Freq_range;
    QLineEdit *Text_pvfo_d0;
    QLabel *Label_to;
    QLineEdit *Text_pvfo_d1;
    QLabel *Label3;

private:
    void Text_pvfo_d0_LostFocus();
    void Text_pvfo_d1_LostFocus();
    void storeRange();
    void CheckFrequencyLimits();
};
