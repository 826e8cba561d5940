#include "files/DirList.h"

#include "platform/DrawnIcons.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
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

void DirList::keyPressEvent(QKeyEvent *event)
{
    QListWidget::keyPressEvent(event);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        event->accept();
}

void DirList::keyboardSearch(const QString &search)
{
    // Letters typed in quick succession form one prefix, as in Qt's lists.
    if (!m_lastKey.isValid() || m_lastKey.elapsed() > QApplication::keyboardInputInterval())
        m_search.clear();
    m_lastKey.start();
    m_search += search;
    const int rows = count();
    // A repeated single letter goes on to the next folder with it.
    const int from = m_search.size() == 1 ? currentRow() + 1 : qMax(currentRow(), 0);
    for (int i = 0; i < rows; ++i) {
        QListWidgetItem *candidate = item((from + i) % rows);
        if (candidate->text().trimmed().startsWith(m_search, Qt::CaseInsensitive)) {
            setCurrentItem(candidate);
            return;
        }
    }
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

#include "moc_DirList.cpp"
