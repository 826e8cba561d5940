#pragma once
#include "platform/ChildWindow.h"

class DirList;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The file-choosing window in its four uses: opening and saving channel
// parameter files (".chann", which carry the whole image) and choosing the
// names of optional parameter files (".menu", remembered only).
class FileWindow : public ChildWindow {
    Q_OBJECT
public:
    // In the order of the table of uses in FileWindow.cpp.
    enum class Kind { OpenChannel, SaveChannel, OpenMenu, SaveMenu };

    FileWindow(Kind kind, WindowRegistry &registry);

    void Form_Load() override;

    QLabel *Label_drive;
    QComboBox *Drive1;
    DirList *Dir1;
    QListWidget *File1;
    QLabel *Label_Name;
    QLineEdit *Text1;
    QPushButton *Command_enter;
    QPushButton *Command_close;

    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void Command_enter_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isOpen() const { return m_kind == Kind::OpenChannel || m_kind == Kind::OpenMenu; }
    bool isChannelFile() const { return m_kind == Kind::OpenChannel || m_kind == Kind::SaveChannel; }
    QString suffix() const;
    // Every ready volume; the one holding `folder` is chosen.
    void fillDrives(const QString &folder);
    // The name checks; an empty result means a name that passed.
    QString nameProblem(const QString &name) const;
    // A name typed as a full path, such as /home/me/radio.chann.
    static bool isFullPath(const QString &name);

    const Kind m_kind;
    int m_driveIndex = -1;
};
