#pragma once
#include <QElapsedTimer>
#include <QListWidget>

// A directory list: the folders from the drive's root down to the current
// folder, then the current folder's subfolders, each indented by depth.
// Activating an entry (double click or Enter) makes it the current folder.
class DirList : public QListWidget {
    Q_OBJECT
public:
    explicit DirList(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    void setPath(const QString &path);

    // Typed letters jump to the folder whose name begins with them, the
    // indentation aside.
    void keyboardSearch(const QString &search) override;

signals:
    void pathChanged(const QString &path);

protected:
    // Enter opens the folder and nothing else: the window's main action
    // must not run in the folder it just opened.
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_path;
    QString m_search;
    QElapsedTimer m_lastKey;
};
