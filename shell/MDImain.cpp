#include "shell/MDImain.h"

#include "core/Codecs.h"
#include "core/ModelTable.h"
#include "core/NumberText.h"
#include "platform/CodeplugDocument.h"
#include "platform/DrawnIcons.h"
#include "platform/MenuKeys.h"
#include "platform/Session.h"
#include "core/QtTranslations.h"
#include "platform/StatusPanels.h"
#include "core/Texts.h"
#include "platform/WindowLanguage.h"
#include "platform/WindowRegistry.h"
#include "platform/Messages.h"
#include "shell/AboutTexts.h"
#include "shell/UnsavedWork.h"
#include "shell/WindowCatalog.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QtMath>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace {

enum MenuFlag { Plain = 0, Hidden = 1, Submenu = 2, Checkable = 4, Disabled = 8 };

struct MenuEntry {
    const char *name;
    const char *parent; // nullptr: on the menu bar
    const char *chinese;
    const char *english;
    const char *shortcut;
    int flags;
    int opens; // WindowId to open, or -1
};

constexpr int None = -1;
constexpr int W(WindowId id) { return static_cast<int>(id); }

// The menu bar, in its order. The two rows of fourteen hyphens are menu
// entries, not separators.
const MenuEntry menuTable[] = {
    {"File", nullptr, "文件", "File", nullptr, Submenu, None},
    {"File_New", "File", "新建", "New", "Ctrl+N", Plain, None},
    {"File_Open", "File", "打开", "Open", "Ctrl+O", Plain, W(WindowId::Form_open_chann)},
    {"File_save", "File", "保存", "Save", "Ctrl+S", Plain, W(WindowId::Form_save_chann)},
    {"File_saveas", "File", "另存为", "Save As", nullptr, Plain, W(WindowId::Form_save_chann)},
    {"File_exit", "File", "退出", "Exit", nullptr, Plain, None},
    {"proc_type", nullptr, "机型", "Model", nullptr, Plain, W(WindowId::Form_type)},
    {"Edit", nullptr, "编辑", "Edit", nullptr, Submenu, None},
    {"Channel_edit", "Edit", "信道信息", "Channel Information ", nullptr, Plain, W(WindowId::frm_chann)},
    {"Optional_edit", "Edit", "可选功能", "Optional Features", nullptr, Plain, W(WindowId::frm_option)},
    {"key_edit", "Edit", "键设定", "Key Assignment", nullptr, Hidden, W(WindowId::Form_edit_Key)},
    {"Scan_edit", "Edit", "扫描信息", "Scan Information", nullptr, Hidden, W(WindowId::Form_Edit_scan)},
    {"Dtmf_edit", "Edit", "DTMF(双音多频)", "DTMF", nullptr, Plain, W(WindowId::frm_dtmf)},
    {"Fleetlink_edit", "Edit", "FleetLink(队列同步)", "FleetLink", nullptr, Hidden, None},
    {"Edit_line1", "Edit", "--------------", "--------------", nullptr, Disabled, None},
    {"Test_edit", "Edit", "收音机编辑", "Radio", nullptr, Plain, W(WindowId::Form_Edit_Test)},
    {"Edit_line2", "Edit", "--------------", "--------------", nullptr, Hidden, None},
    {"Message_edit", "Edit", "嵌入信息", "Embedded Message", nullptr, Hidden, W(WindowId::Form_Edit_Message)},
    {"Program", nullptr, "编程", "Program", nullptr, Submenu, None},
    {"Prog_read", "Program", "从对讲机读取数据", "Read from radio", "Ctrl+R", Plain, W(WindowId::Form_Comm_Read)},
    {"Prog_write", "Program", "向对讲机写入数据", "Write to radio", "Ctrl+W", Plain, W(WindowId::Form_Comm_Write)},
    {"Prog_test", "Program", "测试模式", "Test Mode", "Ctrl+T", Plain, W(WindowId::Form_Adjust_Txp)},
    {"Adjust", "Program", "调整", "Adjust", nullptr, Submenu | Hidden, None},
    {"Adj_Txp", "Adjust", "发射功率调整", "Power Adjust", nullptr, Plain, W(WindowId::Form_Adjust_Txp)},
    {"proc_setup", nullptr, "端口设置", "Communication", nullptr, Plain, W(WindowId::Form_setup)},
    {"Language_Setup", nullptr, "语言", "Language", nullptr, Submenu, None},
    {"Language_chn", "Language_Setup", "中文", "中文", nullptr, Checkable, None},
    {"Language_eng", "Language_Setup", "English", "English", nullptr, Checkable, None},
    {"Menu_About", nullptr, "关于", "About", nullptr, Plain, W(WindowId::frmAbout)},
    {"Menu_exit", nullptr, "退出", "Exit", nullptr, Plain, None},
};

struct ToolButton {
    const char *key;
    QStyle::StandardPixmap icon;
    const char *chinese;
    const char *english;
};

const ToolButton toolButtons[] = {
    {"open", QStyle::SP_DialogOpenButton, "打开", "Open"},
    {"save", QStyle::SP_DialogSaveButton, "保存", "Save"},
    {"edit_chann", QStyle::SP_FileDialogDetailedView, "信道信息", "Channel Information"},
    {"read", QStyle::SP_ArrowDown, "从对讲机读取数据", "Read from radio"},
    {"write", QStyle::SP_ArrowUp, "向对讲机写入数据", "Write to radio"},
    {"Exit", QStyle::SP_DialogCloseButton, "退出", "Exit"},
};

const int statusWidths[StatusPanels::Count] = {5, 15, 6, 8, 10, 5, 16, 35};

} // namespace

MDImain::MDImain()
    : m_area(new QMdiArea(this)), m_toolBar(new QToolBar(this)),
      m_panels(std::make_unique<StatusPanels>(statusBar())), m_document(new CodeplugDocument(this)),
      m_session(new Session(this)), m_sessionEnd(new SessionEnd(this))
{
    setObjectName(QStringLiteral("MDImain"));
    setWindowIcon(QIcon::fromTheme(QStringLiteral("kvd9-programmer"), programIcon()));
    m_area->setObjectName(QStringLiteral("MDIClient"));
    setCentralWidget(m_area);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
    m_registry = new WindowRegistry(this, m_area, m_panels.get(), *m_document, *m_session);
    connect(m_session, &Session::portChanged, this, [this] { m_panels->setText(3, m_session->port().name()); });
    registerAllWindows(*m_registry);
    buildMenus();
    enableMenuKeys(this, menuBar());
    buildToolBar();
    addUndoKeys();
    connect(m_sessionEnd, &SessionEnd::ending, this, &MDImain::keepUnsavedWork);
}

void MDImain::addUndoKeys()
{
    const auto addKeys = [this](const char *name, const QList<QKeySequence> &keys, void (MDImain::*handler)()) {
        auto *action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(keys);
        // Every child window lies inside the main window. A focused line
        // edit claims its own undo keys first (ShortcutOverride), so these
        // act only where no text editor takes them.
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, handler);
    };
    // A text box with nothing of its own to undo or redo leaves the key to
    // the document, as the grid's cell editor does.
    qApp->installEventFilter(this);
    // Panel 2 says why the document refused a change while a link holds it.
    connect(m_document, &CodeplugDocument::refused, this,
            [this](const QString &reason) { m_panels->setText(StatusPanels::Outcome, reason); });
    // A new change makes the note of an undo or redo stale.
    connect(m_document, &CodeplugDocument::changed, this, [this] {
        if (!m_historyNote.isEmpty() && m_panels->text(StatusPanels::Outcome) == m_historyNote)
            m_panels->setText(StatusPanels::Outcome, QString());
        m_historyNote.clear();
    });
    addKeys("Undo_edit", {QKeySequence(Qt::CTRL | Qt::Key_Z)}, &MDImain::undoEdit);
    addKeys("Redo_edit", {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
            &MDImain::redoEdit);
}

bool MDImain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto *edit = qobject_cast<QLineEdit *>(watched);
        auto *key = static_cast<QKeyEvent *>(event);
        const bool undo = key->matches(QKeySequence::Undo);
        const bool redo = key->matches(QKeySequence::Redo) || key->keyCombination() == (Qt::CTRL | Qt::Key_Y);
        // Not overridden: the window's undo or redo key takes it.
        if (edit && ((undo && !edit->isUndoAvailable()) || (redo && !edit->isRedoAvailable())))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// The text editor that has the focus, when it can take an undo key itself.
static QLineEdit *focusedTextEditor()
{
    auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    return edit && edit->isVisible() && !edit->isReadOnly() ? edit : nullptr;
}

void MDImain::undoEdit()
{
    if (QLineEdit *edit = focusedTextEditor(); edit && edit->isUndoAvailable()) {
        edit->undo();
        return;
    }
    if (m_document->isLocked() || m_document->canUndo())
        noteHistoryStep(langText("已撤销：", "Undone: ") + m_document->undo());
    else
        noteHistoryStep(langText("没有可撤销的操作", "Nothing to undo"));
}

void MDImain::redoEdit()
{
    // Qt's line edit takes Ctrl+Shift+Z as its redo but not, on every
    // system, Ctrl+Y: that one is handed to it here.
    if (QLineEdit *edit = focusedTextEditor(); edit && edit->isRedoAvailable()) {
        edit->redo();
        return;
    }
    if (m_document->isLocked() || m_document->canRedo())
        noteHistoryStep(langText("已重做：", "Redone: ") + m_document->redo());
    else
        noteHistoryStep(langText("没有可重做的操作", "Nothing to redo"));
}

void MDImain::noteHistoryStep(const QString &text)
{
    // While locked the document refused, and panel 2 says why already.
    if (m_document->isLocked())
        return;
    m_historyNote = text;
    m_panels->setText(StatusPanels::Outcome, text);
}

MDImain::~MDImain() = default;

void MDImain::buildMenus()
{
    QMap<QString, QMenu *> menus;
    for (const MenuEntry &e : menuTable) {
        QMenu *parent = e.parent ? menus.value(QString::fromLatin1(e.parent)) : nullptr;
        QAction *action;
        if (e.flags & Submenu) {
            QMenu *menu = parent ? parent->addMenu(QString()) : menuBar()->addMenu(QString());
            menu->setObjectName(QString::fromLatin1(e.name));
            menus.insert(QString::fromLatin1(e.name), menu);
            action = menu->menuAction();
        } else {
            action = new QAction(this);
            if (parent)
                parent->addAction(action);
            else
                menuBar()->addAction(action);
        }
        action->setObjectName(QString::fromLatin1(e.name));
        if (e.shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(e.shortcut)));
        if (e.flags & Hidden) {
            action->setVisible(false);
            action->setEnabled(false);
        }
        if (e.flags & Disabled)
            action->setEnabled(false);
        action->setCheckable(e.flags & Checkable);
        if (e.opens != None) {
            const int id = e.opens;
            connect(action, &QAction::triggered, this, [this, id] { openWindow(id); });
        }
    }
    connect(menuItem(QStringLiteral("File_exit")), &QAction::triggered, this, &QWidget::close);
    connect(menuItem(QStringLiteral("Menu_exit")), &QAction::triggered, this, &QWidget::close);
    connect(menuItem(QStringLiteral("Language_chn")), &QAction::triggered, this,
            &MDImain::Language_chn_Click);
    connect(menuItem(QStringLiteral("Language_eng")), &QAction::triggered, this,
            &MDImain::Language_eng_Click);
}

void MDImain::buildToolBar()
{
    m_toolBar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    for (const ToolButton &b : toolButtons) {
        QAction *action = m_toolBar->addAction(style()->standardIcon(b.icon), QString());
        const QString key = QString::fromLatin1(b.key);
        action->setObjectName(key);
        action->setData(key);
        connect(action, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
    }
}

QAction *MDImain::menuItem(const QString &name) const
{
    return findChild<QAction *>(name);
}

void MDImain::MDIForm_Load()
{
    m_session->setLanguage(Language::Chinese);
    useQtLanguage(windowLanguage());
    RebuildAboutTexts();

    const QSize screen = QApplication::primaryScreen()->size();
    resize(qRound(screen.width() / 1.5), qRound(screen.height() / 1.5));
    show();

    m_panels->setWidths(width(), statusWidths);
    m_panels->setText(1, QString());
    setCaptions(true);

    m_session->setPort(PortSpec::ofNumber(1));
    m_panels->setText(3, m_session->port().name());
    ModelIndex = 0;
    m_panels->setText(5, VersionText);
    m_panels->setText(7, signedNumberText(BandLimits[ModelIndex]) + QStringLiteral("--")
                             + signedNumberText(BandLimits[ModelIndex + ModelCount]) + QStringLiteral(" MHZ"));
    Codeplug image;
    InitDefaultImage(image);
    m_document->start(image, workRangeOf(image));
    // Unsaved changes kept when an earlier session ended stay in their file
    // until the user opens it.
    if (QFileInfo::exists(recoveryFilePath()))
        m_panels->setText(StatusPanels::Outcome,
                          langText("上次未保存的信道参数保存在 %1", "Unsaved channel data of the last session is in %1")
                              .arg(QDir::toNativeSeparators(recoveryFilePath())));
    m_registry->reopen(WindowId::frm_chann);
    // The grid knows the width its columns need once it is built. Where the
    // main window grows for it, the grid opens again at the final size, so
    // that it stands exactly where every later opening puts it.
    if (growForTheGrid())
        m_registry->reopen(WindowId::frm_chann);
}

bool MDImain::growForTheGrid()
{
    // The grid takes main width / 1.2; its eight columns need at least the
    // grid's minimum width. The window grows to that where the screen allows.
    ChildWindow *grid = m_registry->get(WindowId::frm_chann);
    if (!grid)
        return false;
    const int needed = qCeil(grid->parentWidget()->minimumSizeHint().width() * 1.2)
        + width() - m_area->viewport()->width();
    const int available = screen()->availableGeometry().width() - (frameGeometry().width() - width());
    const int target = qMin(needed, available);
    if (target <= width())
        return false;
    resize(target, height());
    m_panels->setWidths(width(), statusWidths);
    return true;
}

void MDImain::setCaptions(bool startUp)
{
    for (const MenuEntry &e : menuTable) {
        QAction *action = menuItem(QString::fromLatin1(e.name));
        const QString caption = langText(e.chinese, e.english);
        if (e.flags & Submenu)
            action->menu()->setTitle(caption);
        action->setText(caption);
    }
    for (const ToolButton &b : toolButtons)
        menuItem(QString::fromLatin1(b.key))->setToolTip(langText(b.chinese, b.english));
    const bool chinese = m_session->language() == Language::Chinese;
    if (startUp && chinese)
        menuItem(QStringLiteral("proc_type"))->setText(QStringLiteral("机 型"));
    menuItem(QStringLiteral("Language_chn"))->setChecked(chinese);
    menuItem(QStringLiteral("Language_eng"))->setChecked(!chinese);

    m_panels->setText(1, langText("状态", "State"));
    m_panels->setText(2, QString());
    m_panels->setText(3, m_session->port().name());
    m_panels->setText(4, langText("软件版本", "  Version"));
    m_panels->setText(6, startUp && chinese ? QStringLiteral("频 段") : langText("频段", "Band"));
    m_panels->setText(8, companyName(windowLanguage()));
    setWindowTitle(companyName(windowLanguage()) + langText("  KVD9 系列对讲机编程软件 ", " KVD9 series program software "));
}

void MDImain::Language_chn_Click()
{
    switchLanguage(true);
}

void MDImain::Language_eng_Click()
{
    switchLanguage(false);
}

void MDImain::switchLanguage(bool chinese)
{
    const Language language = chinese ? Language::Chinese : Language::English;
    if (m_session->language() != language) {
        m_session->setLanguage(language);
        useQtLanguage(windowLanguage());
        RebuildAboutTexts();
    }
    setCaptions(false);
    // Child windows take their captions when they load, so every open one
    // is loaded anew, in this order.
    const WindowId reopenOrder[] = {
        WindowId::frmAbout,        WindowId::frm_option,      WindowId::frm_chann,
        WindowId::Form_setup,      WindowId::Form_type,       WindowId::Form_save_chann,
        WindowId::Form_open_chann, WindowId::Form_Comm_Read,  WindowId::Form_Comm_Write,
        WindowId::Form_Edit_Test,  WindowId::Form_Edit_Message, WindowId::Form_Adjust_Txp,
        WindowId::frm_dtmf};
    for (WindowId id : reopenOrder) {
        if (id == WindowId::Form_Edit_Message && chinese)
            continue;
        if (m_session->isWindowOpen(id))
            m_registry->reopen(id);
    }
}

void MDImain::openWindow(int id)
{
    m_registry->reopen(static_cast<WindowId>(id));
}

void MDImain::Toolbar1_ButtonClick(const QString &key)
{
    if (key == QLatin1String("open"))
        openWindow(W(WindowId::Form_open_chann));
    else if (key == QLatin1String("save"))
        openWindow(W(WindowId::Form_save_chann));
    else if (key == QLatin1String("edit_chann"))
        openWindow(W(WindowId::frm_chann));
    else if (key == QLatin1String("read"))
        openWindow(W(WindowId::Form_Comm_Read));
    else if (key == QLatin1String("write"))
        openWindow(W(WindowId::Form_Comm_Write));
    else if (key == QLatin1String("Exit"))
        close();
}

void MDImain::closeEvent(QCloseEvent *event)
{
    if (!mayLeave()) {
        event->ignore();
        return;
    }
    m_registry->closeAll();
    event->accept();
}

bool MDImain::mayLeave()
{
    if (!m_document->isModified() || m_kept == m_document->image())
        return true;
    switch (askToSave(langText("信道参数已修改，是否保存？", "The channel data has changed. Save it before leaving?"))) {
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        return false;
    case SaveAnswer::Save:
        break;
    }
    if (ChildWindow *saving = m_registry->reopen(WindowId::Form_save_chann))
        connect(saving, &QObject::destroyed, this, [this] {
            if (!m_document->isModified())
                close();
        }, Qt::QueuedConnection);
    return false;
}

void MDImain::keepUnsavedWork(bool thenClose)
{
    if (m_document->isModified()) {
        // Where the file cannot be written, closing asks as ever.
        QString error;
        if (keepRecoveryFile(m_document->image(), error))
            m_kept = m_document->image();
    }
    if (thenClose)
        close();
}

#include "moc_MDImain.cpp"
