#include "core/Codecs.h"
#include "files/FileWindow.h"
#include "platform/WindowLanguage.h"
#include "support/TestImage.h"
#include "platform/KeyFilter.h"
#include "platform/StatusPanels.h"
#include "shell/AboutTexts.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>

#include <csignal>

namespace {
// Menu captions after start-up in Chinese, then in English.
const struct {
    const char *name, *chinese, *english, *shortcut;
    bool visible;
} menuCaptions[] = {
    {"File", "文件", "File", "", true},
    {"File_New", "新建", "New", "Ctrl+N", true},
    {"File_Open", "打开", "Open", "Ctrl+O", true},
    {"File_save", "保存", "Save", "Ctrl+S", true},
    {"File_saveas", "另存为", "Save As", "", true},
    {"File_exit", "退出", "Exit", "", true},
    {"Edit", "编辑", "Edit", "", true},
    {"Channel_edit", "信道信息", "Channel Information ", "", true},
    {"Optional_edit", "可选功能", "Optional Features", "", true},
    {"key_edit", "键设定", "Key Assignment", "", false},
    {"Scan_edit", "扫描信息", "Scan Information", "", false},
    {"Dtmf_edit", "DTMF(双音多频)", "DTMF", "", true},
    {"Fleetlink_edit", "FleetLink(队列同步)", "FleetLink", "", false},
    {"Test_edit", "收音机编辑", "Radio", "", true},
    {"Edit_line2", "--------------", "--------------", "", false},
    {"Message_edit", "嵌入信息", "Embedded Message", "", false},
    {"Program", "编程", "Program", "", true},
    {"Prog_read", "从对讲机读取数据", "Read from radio", "Ctrl+R", true},
    {"Prog_write", "向对讲机写入数据", "Write to radio", "Ctrl+W", true},
    {"Prog_test", "测试模式", "Test Mode", "Ctrl+T", true},
    {"Adjust", "调整", "Adjust", "", false},
    {"Adj_Txp", "发射功率调整", "Power Adjust", "", true},
    {"proc_setup", "端口设置", "Communication", "", true},
    {"Language_Setup", "语言", "Language", "", true},
    {"Language_chn", "中文", "中文", "", true},
    {"Language_eng", "English", "English", "", true},
    {"Menu_About", "关于", "About", "", true},
    {"Menu_exit", "退出", "Exit", "", true},
};

QStringList panelTexts(MDImain &main)
{
    QStringList texts;
    for (int i = 1; i <= 8; ++i)
        texts << main.statusPanels().text(i);
    return texts;
}

// The child windows in the order they were created.
QStringList childOrder(MDImain &main)
{
    QStringList names;
    for (QMdiSubWindow *sub : main.findChild<QMdiArea *>("MDIClient")->subWindowList(QMdiArea::CreationOrder))
        if (sub->widget() && sub->isVisible())
            names << sub->widget()->objectName();
    return names;
}
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startUpState();
    void languageSwitch();
    void switchReopensOpenWindowsInOrder();
    void menuAndToolBarOpenFreshWindows();
    void modelWindow();
    void aboutBoxAndSystemInformation();
    void closingTheMainWindowClosesEveryChild();
    void exitAsksOnlyWithUnsavedChanges_data();
    void exitAsksOnlyWithUnsavedChanges();
    void qtTextsFollowTheLanguage();
};

void TestMainWindow::startUpState()
{
    StartedProgram program;
    MDImain &main = *program.main;
    QCOMPARE(main.windowTitle(), QStringLiteral("北港无线电有限公司  KVD9 系列对讲机编程软件 "));
    for (const auto &m : menuCaptions) {
        QAction *action = main.menuItem(QString::fromLatin1(m.name));
        QVERIFY2(action, m.name);
        QCOMPARE(action->text(), QString::fromUtf8(m.chinese));
        QCOMPARE(action->isVisible(), m.visible);
        QCOMPARE(action->isEnabled(), m.visible);
        QCOMPARE(action->shortcut(), QKeySequence(QString::fromLatin1(m.shortcut)));
    }
    QCOMPARE(main.menuItem("proc_type")->text(), QStringLiteral("机 型"));
    QCOMPARE(main.menuItem("Edit_line1")->text(), QStringLiteral("--------------"));
    QVERIFY(!main.menuItem("Edit_line1")->isEnabled());
    QVERIFY(main.menuItem("Language_chn")->isChecked());
    QVERIFY(!main.menuItem("Language_eng")->isChecked());
    QCOMPARE(panelTexts(main), (QStringList{"状态", "", "COM1", "软件版本", "Ver1.1", "频 段",
                                            " 400-- 470 MHZ", "北港无线电有限公司"}));
    // Panel widths are fixed shares of the window's width at start-up; the
    // last one leaves room for the bar's spacing.
    QCOMPARE(main.findChild<QLabel *>("StatusBar1_Panel2")->width(), main.width() * 15 / 100);
    QVERIFY(main.findChild<QLabel *>("StatusBar1_Panel8")->width() <= main.width() * 35 / 100);

    QStringList keys;
    for (QAction *a : main.findChild<QToolBar *>("Toolbar1")->actions()) {
        keys << a->objectName();
        QVERIFY(!a->icon().isNull());
    }
    QCOMPARE(keys, (QStringList{"open", "save", "edit_chann", "read", "write", "Exit"}));

    QCOMPARE(VersionText, QStringLiteral("Ver1.1"));
    QCOMPARE(program.session().port().number, 1);
    QCOMPARE(main.ModelIndex, qint16(0));
    QCOMPARE(Img(250, 1), qint16(0x40));

    // New does nothing at all.
    const QStringList before = childOrder(main);
    main.menuItem("File_New")->trigger();
    QCOMPARE(childOrder(main), before);
    QVERIFY(program.messages.messages.isEmpty());
}

void TestMainWindow::languageSwitch()
{
    StartedProgram program;
    MDImain &main = *program.main;
    const QString chineseAbout = AboutTexts.title;

    main.menuItem("Language_eng")->trigger();
    QCOMPARE(program.session().language(), Language::English);
    QVERIFY(main.menuItem("Language_eng")->isChecked());
    QVERIFY(!main.menuItem("Language_chn")->isChecked());
    for (const auto &m : menuCaptions)
        QCOMPARE(main.menuItem(QString::fromLatin1(m.name))->text(), QString::fromUtf8(m.english));
    QCOMPARE(main.menuItem("proc_type")->text(), QStringLiteral("Model"));
    QCOMPARE(main.findChild<QMenu *>("File")->title(), QStringLiteral("File"));
    QCOMPARE(panelTexts(main), (QStringList{"State", "", "COM1", "  Version", "Ver1.1", "Band",
                                            " 400-- 470 MHZ", "North Harbor Radio Co."}));
    QCOMPARE(main.windowTitle(), QStringLiteral("North Harbor Radio Co. KVD9 series program software "));
    QCOMPARE(AboutTexts.title, QStringLiteral("North Harbor Radio Co. KVD9 series program software. "));

    // A message shown after the switch speaks English.
    showMessage("中文", "English");
    QCOMPARE(program.messages.messages.last().title, QStringLiteral("Operate prompt"));
    QCOMPARE(program.messages.messages.last().text, QStringLiteral("English"));

    main.menuItem("Language_chn")->trigger();
    QCOMPARE(main.menuItem("proc_type")->text(), QStringLiteral("机型"));
    QCOMPARE(main.statusPanels().text(6), QStringLiteral("频段"));
    QCOMPARE(AboutTexts.title, chineseAbout);

    // Choosing the language in use re-captions but leaves the About texts.
    AboutTexts.title = QStringLiteral("kept");
    main.menuItem("Language_chn")->trigger();
    QCOMPARE(AboutTexts.title, QStringLiteral("kept"));
    QVERIFY(main.menuItem("Language_chn")->isChecked());
    main.menuItem("Language_eng")->trigger();
    QVERIFY(AboutTexts.title != QStringLiteral("kept"));
    main.menuItem("Language_chn")->trigger();
}

void TestMainWindow::switchReopensOpenWindowsInOrder()
{
    StartedProgram program;
    MDImain &main = *program.main;
    WindowRegistry &registry = program.registry();
    // The order in which a switch reopens open windows.
    const QList<WindowId> reopenOrder = {
        WindowId::frmAbout,        WindowId::frm_option,        WindowId::frm_chann,
        WindowId::Form_setup,      WindowId::Form_type,         WindowId::Form_save_chann,
        WindowId::Form_open_chann, WindowId::Form_Comm_Read,    WindowId::Form_Comm_Write,
        WindowId::Form_Edit_Test,  WindowId::Form_Edit_Message, WindowId::Form_Adjust_Txp,
        WindowId::frm_dtmf};
    // Windows the switch leaves alone.
    const QList<WindowId> untouched = {WindowId::Form_Chann_Edit, WindowId::Form_Edit_scan,
                                       WindowId::Form_edit_Key};
    QList<WindowId> open;
    for (auto it = reopenOrder.crbegin(); it != reopenOrder.crend(); ++it)
        if (registry.isRegistered(*it) && (*it == WindowId::frm_chann || registry.reopen(*it)))
            open << *it;
    QVERIFY(open.size() >= 8);
    QList<ChildWindow *> before;
    for (WindowId id : reopenOrder)
        before << registry.get(id);
    QList<ChildWindow *> untouchedBefore;
    for (WindowId id : untouched)
        untouchedBefore << (registry.isRegistered(id) ? registry.reopen(id) : nullptr);

    const auto expectedOrder = [&](bool english) {
        QStringList names;
        for (WindowId id : reopenOrder)
            if (open.contains(id) && (english || id != WindowId::Form_Edit_Message))
                names << registry.get(id)->objectName();
        return names;
    };
    const auto reopenedOrder = [&](int count) {
        const QStringList order = childOrder(main);
        return order.mid(order.size() - count);
    };

    main.menuItem("Language_eng")->trigger();
    QStringList expected = expectedOrder(true);
    QCOMPARE(reopenedOrder(expected.size()), expected);
    for (int i = 0; i < reopenOrder.size(); ++i) {
        if (!open.contains(reopenOrder[i]))
            continue;
        QVERIFY(registry.get(reopenOrder[i]) != before[i]);
        QVERIFY(program.session().isWindowOpen(reopenOrder[i]));
    }
    for (int i = 0; i < untouched.size(); ++i)
        QCOMPARE(registry.get(untouched[i]), untouchedBefore[i]);
    QCOMPARE(registry.get(WindowId::Form_type)->windowTitle(), QStringLiteral("Model Select"));
    QCOMPARE(registry.get(WindowId::frmAbout)->findChild<QPushButton *>("cmdOK")->text(),
             QStringLiteral("Confirm"));

    // A window closed before the switch stays closed; the message window is
    // reopened on a switch to English only.
    registry.close(WindowId::Form_type);
    open.removeOne(WindowId::Form_type);
    ChildWindow *message = registry.get(WindowId::Form_Edit_Message);
    main.menuItem("Language_chn")->trigger();
    QVERIFY(!registry.isOpen(WindowId::Form_type));
    expected = expectedOrder(false);
    QCOMPARE(reopenedOrder(expected.size()), expected);
    QCOMPARE(registry.get(WindowId::Form_Edit_Message), message);
    QCOMPARE(registry.get(WindowId::frmAbout)->findChild<QPushButton *>("cmdOK")->text(),
             QStringLiteral("确定"));
}

void TestMainWindow::menuAndToolBarOpenFreshWindows()
{
    StartedProgram program;
    MDImain &main = *program.main;
    main.menuItem("proc_type")->trigger();
    ChildWindow *first = program.registry().get(WindowId::Form_type);
    QVERIFY(first);
    main.menuItem("proc_type")->trigger();
    QVERIFY(program.registry().get(WindowId::Form_type) != first);
    QCOMPARE(childOrder(main).count("Form_type"), 1);

    main.findChild<QAction *>("save")->trigger();
    QVERIFY(program.registry().isOpen(WindowId::Form_save_chann));
    main.findChild<QAction *>("open")->trigger();
    QVERIFY(program.registry().isOpen(WindowId::Form_open_chann));
    main.menuItem("File_saveas")->trigger();
    QVERIFY(program.registry().isOpen(WindowId::Form_save_chann));
    const QStringList before = childOrder(main);
    main.Toolbar1_ButtonClick(QStringLiteral("nothing"));
    QCOMPARE(childOrder(main), before);
    QVERIFY(main.isVisible());
}

void TestMainWindow::modelWindow()
{
    StartedProgram program;
    // As after a read from a radio whose range is 420..450 MHz.
    Img(250, 0) = 0x00;
    Img(250, 1) = 0x42;
    Img(250, 2) = 0x00;
    Img(250, 3) = 0x45;
    program.main->menuItem("proc_type")->trigger();
    auto *w = program.registry().get(WindowId::Form_type);
    QCOMPARE(w->windowTitle(), QStringLiteral("机型选择"));
    QCOMPARE(w->findChild<QLabel *>("Label1")->text(), QStringLiteral("机  型"));
    QCOMPARE(w->findChild<QLabel *>("Label_band")->text(), QStringLiteral("  420 --  450"));
    QCOMPARE(testDocument().workRange().low, 420.0);
    QCOMPARE(testDocument().workRange().high, 450.0);
    auto *combo = w->findChild<QComboBox *>("Combo_type");
    QCOMPARE(combo->count(), 1);
    QCOMPARE(combo->currentText(), QStringLiteral("KVD9"));

    QTest::keyClicks(combo->lineEdit(), QStringLiteral("X9"));
    QApplication::processEvents();
    QCOMPARE(combo->currentText(), QString());
    QTest::mouseClick(w->findChild<QPushButton *>("Command_enter"), Qt::LeftButton);
    QVERIFY(!program.registry().isOpen(WindowId::Form_type));
    QVERIFY(!program.session().isWindowOpen(WindowId::Form_type));
    QCOMPARE(program.main->ModelIndex, qint16(0));
    QCOMPARE(testDocument().workRange().high, 450.0);
}

void TestMainWindow::aboutBoxAndSystemInformation()
{
    QTemporaryDir dir;
    const QByteArray savedPath = qgetenv("PATH");
    StartedProgram program;
    program.main->menuItem("Menu_About")->trigger();
    auto *about = program.registry().get(WindowId::frmAbout);
    QVERIFY(about);
    QCOMPARE(about->findChild<QLabel *>("lblTitle")->text(), QStringLiteral("KVD9 系列对讲机编程软件"));
    QCOMPARE(about->findChild<QPushButton *>("cmdSysInfo")->text(), QStringLiteral("系统信息(&S)..."));
    QVERIFY(about->findChild<QLabel *>("lblVersion")->text().contains(QStringLiteral("Ver1.1")));

    // No system-information program on the path: the message, in Chinese
    // whatever the language.
    qputenv("PATH", dir.path().toLocal8Bit());
    program.session().setLanguage(Language::English);
    QTest::mouseClick(about->findChild<QPushButton *>("cmdSysInfo"), Qt::LeftButton);
    QCOMPARE(program.messages.texts(), QStringList{QStringLiteral("此时系统信息不可用")});

    // With one installed, it is started and nothing is said.
    const QString marker = dir.filePath(QStringLiteral("started"));
    QFile tool(dir.filePath(QStringLiteral("hardinfo")));
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.write(QStringLiteral("#!/bin/sh\n/usr/bin/touch '%1'\n").arg(marker).toLocal8Bit());
    tool.close();
    tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    program.messages.clear();
    QTest::mouseClick(about->findChild<QPushButton *>("cmdSysInfo"), Qt::LeftButton);
    QVERIFY(program.messages.messages.isEmpty());
    QTRY_VERIFY(QFile::exists(marker));
    qputenv("PATH", savedPath);
    program.session().setLanguage(Language::Chinese);

    QTest::mouseClick(about->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
    QVERIFY(!program.registry().isOpen(WindowId::frmAbout));
}

void TestMainWindow::closingTheMainWindowClosesEveryChild()
{
    StartedProgram program;
    for (WindowId id : {WindowId::Form_type, WindowId::frmAbout, WindowId::Form_open_chann})
        program.registry().reopen(id);
    program.main->menuItem("Menu_exit")->trigger();
    QVERIFY(!program.main->isVisible());
    for (int i = 0; i < WindowIdCount; ++i) {
        QVERIFY(!program.session().isWindowOpen(static_cast<WindowId>(i)));
        QVERIFY(!program.registry().isOpen(static_cast<WindowId>(i)));
    }
}

void TestMainWindow::exitAsksOnlyWithUnsavedChanges_data()
{
    // A menu item or tool bar key; empty: the close box; SIGTERM or logout: the session ends.
    QTest::addColumn<QString>("exit");
    QTest::addColumn<bool>("edited");
    QTest::addColumn<SaveAnswer>("answer");
    QTest::addColumn<QString>("saveAs"); // the name given in the save window; empty: Cancel
    QTest::addColumn<bool>("ends");
    QTest::newRow("nothing unsaved, Exit") << "Menu_exit" << false << SaveAnswer::Cancel << "" << true;
    QTest::newRow("nothing unsaved, close box") << "" << false << SaveAnswer::Cancel << "" << true;
    QTest::newRow("edited, File Exit, Don't Save") << "File_exit" << true << SaveAnswer::Discard << "" << true;
    QTest::newRow("edited, tool bar, Cancel") << "Exit" << true << SaveAnswer::Cancel << "" << false;
    QTest::newRow("edited, Save, saved") << "" << true << SaveAnswer::Save << "kept.chann" << true;
    QTest::newRow("edited, Save, cancelled") << "" << true << SaveAnswer::Save << "" << false;
    QTest::newRow("edited, SIGTERM") << "SIGTERM" << true << SaveAnswer::Cancel << "" << true;
    QTest::newRow("edited, logout") << "logout" << true << SaveAnswer::Cancel << "" << true;
}

// Every way out ends the program at once while nothing is unsaved; with
// unsaved changes it asks, and ends only as the answer says. A session
// that ends keeps them in the state folder, and the next start names the
// file and opens nothing.
void TestMainWindow::exitAsksOnlyWithUnsavedChanges()
{
    QFETCH(QString, exit);
    QFETCH(bool, edited);
    QFETCH(SaveAnswer, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, ends);
    QTemporaryDir files;
    const bool sessionEnds = exit == QLatin1String("SIGTERM") || exit == QLatin1String("logout");
    {
        StartedProgram program(files.path());
        program.main->menuItem("Language_eng")->trigger();
        program.messages.answer = answer;
        if (edited)
            Img(5, 0) = 0x12;
        if (exit == QLatin1String("SIGTERM"))
            ::raise(SIGTERM);
        else if (exit == QLatin1String("logout"))
            program.main->keepUnsavedWork(false); // then the windows close
        if (exit.isEmpty() || exit == QLatin1String("logout"))
            program.main->close();
        else if (!sessionEnds)
            program.main->menuItem(exit)->trigger();
        if (QPointer<FileWindow> saving = program.window<FileWindow>(WindowId::Form_save_chann)) {
            saving->Text1->setText(files.filePath(saveAs));
            (saveAs.isEmpty() ? saving->Command_close : saving->Command_enter)->click();
            QTRY_VERIFY(saving.isNull()); // the event loop deletes it, then the main window hears of it
        }
        QApplication::processEvents();
        QCOMPARE(program.messages.texts().count("The channel data has changed. Save it before leaving?"),
                 int(edited && !sessionEnds));
        QCOMPARE(!program.main->isVisible(), ends);
        QCOMPARE(QFileInfo(files.filePath(saveAs)).isFile(), !saveAs.isEmpty());
    }
    StartedProgram next(files.path());
    QCOMPARE(next.main->statusPanels().text(2).contains(files.filePath("kvd9/unsaved.chann")), sessionEnds);
    QCOMPARE(Img(5, 0), qint16(255));
}

// The texts Qt itself supplies: a message box's OK button, the paste item of
// a text box's context menu and the scroll bar menu.
void TestMainWindow::qtTextsFollowTheLanguage()
{
    const auto qtTexts = [] {
        QMessageBox box(QMessageBox::Warning, QString(), QString(), QMessageBox::Ok);
        QLineEdit edit;
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QAction *paste = pasteAction(menu.get());
        return QStringList{box.button(QMessageBox::Ok)->text(), paste ? paste->text() : QString(),
                           QCoreApplication::translate("QScrollBar", "Scroll here")};
    };
    StartedProgram program;
    const QStringList chinese = qtTexts();
    QCOMPARE(chinese.at(0), QStringLiteral("确定"));
    QVERIFY2(chinese.at(1).startsWith(QStringLiteral("粘贴")), qPrintable(chinese.at(1)));
    QCOMPARE(chinese.at(2), QStringLiteral("滚动至此"));

    program.main->menuItem("Language_eng")->trigger();
    QCOMPARE(qtTexts().at(0), QStringLiteral("OK"));
    QVERIFY(qtTexts().at(1).startsWith(QStringLiteral("&Paste")));
    QCOMPARE(qtTexts().at(2), QStringLiteral("Scroll here"));

    program.main->menuItem("Language_chn")->trigger();
    QCOMPARE(qtTexts(), chinese);
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
