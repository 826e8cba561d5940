#pragma once
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

signals:
    void pathChanged(const QString &path);

private:
    QString m_path;
};
