#include "files/FileWindow.h"

#include "channels/PendingNameEdit.h"
#include "core/Codeplug.h"
#include "core/ChannelFile.h"
#include "files/DirList.h"
#include "platform/CodeplugDocument.h"
#include "platform/DrawnIcons.h"
#include "platform/Messages.h"
#include "platform/OpenChannelFile.h"
#include "core/Texts.h"
#include "platform/WindowLanguage.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QStorageInfo>

namespace {

// What differs between the four uses: the window, its object name, and its
// captions and messages (title, name label, forbidden-character message,
// wrong-suffix message).
struct KindTexts {
    WindowId id;
    const char *objectName;
    const char *titleZh, *titleEn;
    const char *nameZh, *nameEn;
    const char *forbiddenZh, *forbiddenEn;
    const char *suffixZh, *suffixEn;
};

const KindTexts &textsOf(FileWindow::Kind kind)
{
    static const KindTexts kinds[] = {
        {WindowId::Form_open_chann, "Form_open_chann",
         "打开信道参数文件", "Open Channcle File", "打开文件名：", "Open File:",
         "打开信道参数文件名无效 ", "Open the file name of channel parameter is nullity ",
         "无效的信道参数文件后缀名！", "Nullity file suffix name of channel parameter."},
        {WindowId::Form_save_chann, "Form_save_chann",
         "保存信道参数文件", "Save Channel File", "保存文件名：", "Save File:",
         "保存信道参数所需要的文件名无效 ", "Store the file name of channel parameter need is nullity. ",
         "建议不要修改系统默认的文件后缀名！", "Advice don't modify file suffix name of system default ！"},
        {WindowId::Form_open_menu, "Form_open_menu",
         "打开可选参数文件", "Open Optional File", "打开文件名：", "Open File:",
         "打开系统参数文件名无效 ", "Open the file name of system parameter is nullity. ",
         "无效的系统参数文件后缀名！", "Nullity file suffix name of system parameter."},
        {WindowId::Form_save_menu, "Form_save_menu",
         "保存可选参数文件", "Save Optional File ", "保存文件名：", "Save File:",
         "保存系统参数所需要的文件名无效 ", "Store the file name of system parameter need is nullity.",
         "建议不要修改系统默认的文件后缀名！", "Advice don't modify file suffix name of system default."},
    };
    return kinds[static_cast<int>(kind)];
}

// The folder of the last channel file loaded or saved in this run, else the
// user's documents folder: a program started from the menu has "/" or the
// home folder as its current directory, no place for the user's files.
QString startFolder(const QString &lastFile)
{
    const QFileInfo last(lastFile);
    if (last.isAbsolute() && last.dir().exists())
        return last.absolutePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

} // namespace

FileWindow::FileWindow(Kind kind, WindowRegistry &registry)
    : ChildWindow(textsOf(kind).id, registry),
      Label_drive(new QLabel(this)), Drive1(new QComboBox(this)), Dir1(new DirList(this)),
      File1(new QListWidget(this)), Label_Name(new QLabel(this)), Text1(new QLineEdit(this)),
      Command_enter(new QPushButton(this)), Command_close(new QPushButton(this)), m_kind(kind)
{
    setObjectName(QString::fromLatin1(textsOf(kind).objectName));
    Label_drive->setObjectName(QStringLiteral("Label_drive"));
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Dir1->setObjectName(QStringLiteral("Dir1"));
    File1->setObjectName(QStringLiteral("File1"));
    Label_Name->setObjectName(QStringLiteral("Label_Name"));
    Text1->setObjectName(QStringLiteral("Text1"));
    Command_enter->setObjectName(QStringLiteral("Command_enter"));
    Command_close->setObjectName(QStringLiteral("Command_close"));

    auto *left = new QVBoxLayout;
    left->addWidget(Label_drive);
    left->addWidget(Drive1);
    left->addWidget(Dir1, 1);
    auto *lists = new QHBoxLayout;
    lists->addLayout(left, 1);
    lists->addWidget(File1, 1);
    auto *name = new QHBoxLayout;
    name->addWidget(Label_Name);
    name->addWidget(Text1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command_enter);
    buttons->addWidget(Command_close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(name);
    layout->addLayout(buttons);

    connect(Drive1, QOverload<int>::of(&QComboBox::activated), this, &FileWindow::Drive1_Change);
    connect(Dir1, &DirList::pathChanged, this, &FileWindow::Dir1_Change);
    connect(File1, &QListWidget::itemClicked, this, &FileWindow::File1_Click);
    // The arrow keys choose a file as a click does; Tab passing through the
    // list (which makes its first entry current) leaves the name alone.
    connect(File1, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem *item, QListWidgetItem *previous) {
                if (item && previous && File1->hasFocus())
                    File1_Click();
            });
    // An arrow that cannot move (the only file, Up on the first) still
    // chooses the file it stands on.
    File1->installEventFilter(this);
    // The entry that has the keyboard is always the highlighted one.
    for (QListWidget *list : {static_cast<QListWidget *>(Dir1), File1}) {
        // Both lists show their choice highlighted: the one that has the
        // keyboard is framed in the highlight colour.
        list->setStyleSheet(QStringLiteral("QListWidget:focus { border: 2px solid palette(highlight); }"));
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        connect(list, &QListWidget::currentItemChanged, list, [](QListWidgetItem *item) {
            if (item)
                item->setSelected(true);
        });
    }
    connect(Command_enter, &QPushButton::clicked, this, &FileWindow::Command_enter_Click);
    connect(Command_close, &QPushButton::clicked, this, &ChildWindow::closeWindow);
    // Enter in the name box confirms, as anywhere in the window.
    setMainAction(Command_enter);
    setEscapeButton(Command_close);
}

bool FileWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == File1 && event->type() == QEvent::KeyRelease) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const int k = key->key();
        if (!key->isAutoRepeat()
            && (k == Qt::Key_Up || k == Qt::Key_Down || k == Qt::Key_Home || k == Qt::Key_End
                || k == Qt::Key_PageUp || k == Qt::Key_PageDown))
            File1_Click();
    }
    return ChildWindow::eventFilter(watched, event);
}

QString FileWindow::suffix() const
{
    return isChannelFile() ? QStringLiteral(".chann") : QStringLiteral(".menu");
}

void FileWindow::Form_Load()
{
    ChildWindow::Form_Load();
    const QSize main = mainWindowSize();
    const int w = qRound(main.width() / 1.5);
    const int h = qRound(main.height() / 1.3);
    placeWindow((main.width() - w) / 2, 0, w, h);

    const KindTexts &t = textsOf(m_kind);
    setWindowTitle(langText(t.titleZh, t.titleEn));
    Label_drive->setText(langText("驱动器：", "Drive:"));
    Label_Name->setText(langText(t.nameZh, t.nameEn));
    Command_enter->setText(langText("确  定", "Confirm"));
    Command_close->setText(langText("取  消", "Cancel"));
    Text1->setText(QLatin1Char('*') + suffix());

    if (m_kind == Kind::SaveChannel)
        CommitPendingGridNameEdit(registry());

    const QString start = startFolder(session().channelFileName());
    fillDrives(start);
    Dir1->setPath(start);
    Dir1_Change();
    // Typing a name replaces the pattern.
    Text1->selectAll();
    Text1->setFocus();
}

void FileWindow::fillDrives(const QString &folder)
{
    Drive1->clear();
    const QString current = QStorageInfo(folder).rootPath();
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        Drive1->addItem(driveIcon(), QDir::toNativeSeparators(volume.rootPath()), volume.rootPath());
        if (volume.rootPath() == current)
            Drive1->setCurrentIndex(Drive1->count() - 1);
    }
    m_driveIndex = Drive1->currentIndex();
}

void FileWindow::Drive1_Change()
{
    const QString root = Drive1->currentData().toString();
    const QDir dir(root);
    if (!dir.exists() || !dir.isReadable()) {
        // A drive that cannot be read leaves the lists where they were.
        showMessage(langText("驱动器 %1 无法读取。", "The drive %1 cannot be read.").arg(Drive1->currentText()));
        Drive1->setCurrentIndex(m_driveIndex);
        return;
    }
    m_driveIndex = Drive1->currentIndex();
    Dir1->setPath(root);
    Dir1_Change();
}

void FileWindow::Dir1_Change()
{
    File1->clear();
    const QDir dir(Dir1->path());
    const QStringList files = dir.entryList({QLatin1Char('*') + suffix()}, QDir::Files,
                                            QDir::Name | QDir::IgnoreCase);
    File1->addItems(files);
}

void FileWindow::File1_Click()
{
    if (QListWidgetItem *item = File1->currentItem())
        Text1->setText(item->text());
}

QString FileWindow::nameProblem(const QString &name) const
{
    const KindTexts &t = textsOf(m_kind);
    const QString s = suffix();
    // A full path names its own folder; its file name is checked as a
    // typed name is.
    const QString fileName = isFullPath(name) ? QFileInfo(name).fileName() : name;
    for (QChar forbidden : {u'*', u'$', u'\\', u'/', u'#'})
        if (fileName.contains(forbidden))
            return langText(t.forbiddenZh, t.forbiddenEn);
    if (!fileName.endsWith(s) && !fileName.endsWith(s.toUpper()))
        return langText(t.suffixZh, t.suffixEn);
    return QString();
}

bool FileWindow::isFullPath(const QString &name)
{
    return QDir::isAbsolutePath(name) && name.contains(QLatin1Char('/'));
}

void FileWindow::Command_enter_Click()
{
    const QString name = Text1->text().trimmed();
    const QString problem = nameProblem(name);
    if (!problem.isEmpty()) {
        showMessageWithSummary(problem, langText("应为以“%1”结尾的文件名（例如 radio%1），或以“%1”结尾的完整路径。",
                                                 "Expected: a file name ending in \"%1\" (such as radio%1), or a "
                                                 "full path ending in \"%1\".")
                                            .arg(suffix()));
        return;
    }
    if (!isChannelFile()) {
        session().setChannelFileName(name);
        closeWindow();
        return;
    }
    const QString path = isFullPath(name) ? QDir::cleanPath(name) : QDir(Dir1->path()).filePath(name);
    QString error;
    if (isOpen()) {
        // The whole file is checked before anything changes; the load is one
        // undo step.
        if (!openChannelFile(*this, path))
            return;
    } else {
        if (!saveChannelFile(path, image(), error, windowLanguage())) {
            showMessage(langText("信道参数未保存。", "The channel parameters were not saved.")
                        + QLatin1Char('\n') + error);
            return;
        }
        document().markSaved();
        session().setChannelFileName(path);
        reportOutcome(langText("已保存 %1", "Saved %1").arg(QDir::toNativeSeparators(path)));
        showMessage("信道参数保存完毕 ！", "Complete storing channel parameter.");
    }
    closeWindow();
}

#include "moc_FileWindow.cpp"
