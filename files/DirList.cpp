#include "files/DirList.h"

#include "platform/DrawnIcons.h"

#include <QApplication>
#include <QDir>
#include <QStyle>

namespace {
constexpr int PathRole = Qt::UserRole;
}

DirList::DirList(QWidget *parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        setPath(item->data(PathRole).toString());
    });
}

void DirList::setPath(const QString &path)
{
    const QDir dir(path);
    if (!dir.exists() || !dir.isReadable())
        return;
    const QString canonical = dir.canonicalPath();
    const bool changed = canonical != m_path;
    m_path = canonical;

    clear();
    const QIcon openIcon = folderIcon(true);
    const QIcon closedIcon = folderIcon(false);
    QStringList chain;
    for (QDir d(m_path);; ) {
        chain.prepend(d.absolutePath());
        if (d.isRoot() || !d.cdUp())
            break;
    }
    int depth = 0;
    QListWidgetItem *current = nullptr;
    for (const QString &folder : chain) {
        const QString name = depth == 0 ? QDir::toNativeSeparators(folder) : QDir(folder).dirName();
        auto *item = new QListWidgetItem(openIcon, QString(depth * 2, QLatin1Char(' ')) + name, this);
        item->setData(PathRole, folder);
        current = item;
        ++depth;
    }
    const QStringList subfolders =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &sub : subfolders) {
        auto *item = new QListWidgetItem(closedIcon, QString(depth * 2, QLatin1Char(' ')) + sub, this);
        item->setData(PathRole, dir.absoluteFilePath(sub));
    }
    setCurrentItem(current);
    if (changed)
        emit pathChanged(m_path);
}
