#pragma once
#include "core/Codeplug.h"
#include "platform/Session.h"
#include "platform/WindowState.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class Codeplug;
class CodeplugDocument;
struct Bilingual;
struct EditLabel;
enum class SettingId;
class QPushButton;
class WindowRegistry;

// Base of every child window of the main window. A window builds its
// controls in its constructor; Form_Load() does the window's load (open
// flag, captions, geometry, contents), Form_Activate() runs whenever the
// window becomes the active child, and Form_Unload() runs when it closes.
class ChildWindow : public QWidget {
    Q_OBJECT
public:
    ChildWindow(WindowId id, WindowRegistry &registry, QWidget *parent = nullptr);

    WindowId windowId() const { return m_id; }
    WindowRegistry &registry() const { return m_registry; }
    CodeplugDocument &document() const;
    Session &session() const;
    // The document's image, for reading.
    const Codeplug &image() const;

    // Sets the open-window flag; windows extend it with their own load.
    virtual void Form_Load();
    virtual void Form_Activate() {}
    // Returns false to stay open. The base clears the open-window flag.
    virtual bool Form_Unload();

    // Where the keyboard goes when the window becomes active again and the
    // control that had it is gone or hidden; nullptr leaves it to Qt.
    virtual QWidget *keyboardHome() const { return nullptr; }
    // Where the keyboard goes when another window closed over this one:
    // back to `last`, the control that had it, unless that is gone, hidden
    // or disabled, or is a button of a window with a home. A button's next
    // Enter would act again: Clear, pressed before a file was opened, would
    // blank the file.
    QWidget *keyboardReturn(QWidget *last) const;

    // True while the main window closes every child: a window must then go
    // without asking, whatever it is doing.
    bool closingWithMainWindow() const;

    // Closes this window through the registry, running its unload.
    bool closeWindow();

    // Applies the placement of the window's load again for the main
    // window's present size: the same fractions of it, never smaller than
    // the layout's minimum, moved back into the client area where it fits.
    void fitToMainWindow();
    // The same, unless the user moved or resized the window.
    void followMainWindow();
    // Grows the window when its contents need more height at its present
    // width, as a word-wrapped text that got longer does.
    void growToFitContents();

    // The keyboard: Enter presses the focused button, else the window's main
    // action; Escape presses the button that closes the window. Either may
    // be left unset.
    void setMainAction(QPushButton *button);
    void setEscapeButton(QPushButton *button);
    QPushButton *mainAction() const;
    QPushButton *escapeButton() const;

    // Status panel 2 of the main window: what the last link or file action
    // came to.
    void reportOutcome(const QString &text);

    // Changes the document as one undo step named `label` (see
    // CodeplugDocument::edit). The window shows its own change itself;
    // every other open window is told through showDocumentChange().
    bool editImage(const EditLabel &label, const std::function<void(Codeplug &)> &change, bool joinPrevious = false);
    // The same, the step named by the caption of the control that made it.
    bool editSetting(const Bilingual &caption, const std::function<void(Codeplug &)> &change, bool joinPrevious = false);
    // Stores the value a control shows for setting `id`, by the setting's
    // rule, as one such step; false where the rule refused it.
    bool editSetting(SettingId id, int value, bool joinPrevious = false);

protected:
    // Another window, an undo or a redo changed image rows
    // firstRow..lastRow: the window shows the image anew.
    virtual void showDocumentChange(int firstRow, int lastRow);

    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

    // Geometry relative to the main window, in pixels: its outer size and
    // the size of its client area that holds the child windows.
    QSize mainWindowSize() const;
    QSize mainInnerSize() const;
    // Places this window (outer frame) in the client area. `left` centres
    // it across the main window, as every window's load does; a window that
    // its layout's minimum makes wider stays centred.
    void placeWindow(int left, int top, int width, int height);
    // Twips (1/1440 inch) in pixels at the screen's logical resolution.
    int twips(double value) const;

private:
    QWidget *frame() const;
    // The outer height the layout needs at an outer width, word-wrapped
    // texts included, which the minimum size hint leaves out.
    int frameHeightFor(int frameWidth) const;

    // The placement of the load, the main window size it was made for, and
    // the frame geometry last applied.
    QRect m_placement;
    QSize m_placedFor;
    QRect m_applied;
    QPointer<QPushButton> m_mainAction;
    QPointer<QPushButton> m_escapeButton;
    bool m_editing = false;
    const WindowId m_id;
    WindowRegistry &m_registry;
};
