// The whole task by keyboard alone, against the simulated radio: choose its
// port, read, change channel 5, write, save and load, checking the image, the
// radio's memory and the outcome line of the status bar at each step.
#include "link/LinkFixture.h"

#include "core/ChannelRecord.h"
#include "files/FileWindow.h"
#include "link/Form_setup.h"
#include "core/ChannelFile.h"
#include "platform/StatusPanels.h"

#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTextBrowser>

namespace {

// Where a person's key goes: the open menu, else the focused control.
void press(MDImain *main, int key, Qt::KeyboardModifiers modifiers = {})
{
    QWidget *target = QApplication::activePopupWidget();
    if (!target)
        target = QApplication::focusWidget();
    if (!target)
        target = main;
    QTest::keyClick(target, Qt::Key(key), modifiers);
    // A person's keys come one by one, with the event loop running between.
    QApplication::processEvents();
}

void type(MDImain *main, const QString &text)
{
    for (QChar c : text) {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : main;
        QTest::keyClick(target, c.toLatin1());
    }
}

QString outcome(MDImain *main)
{
    return main->statusPanels().text(StatusPanels::Outcome);
}

bool matchesAtTime(const QString &text, const QString &start)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(
                                  QRegularExpression::escape(start) + QStringLiteral("\\d\\d:\\d\\d")))
        .match(text)
        .hasMatch();
}

} // namespace

class Keyboard : public QObject {
    Q_OBJECT
private slots:
    void wholeTaskByKeyboard();
    void keysOfEachWindow_data();
    void keysOfEachWindow();
    void optionsTabDownEachColumnInTurn();
    void tabFollowsTheLayout_data();
    void tabFollowsTheLayout();
    void keyboardReturnsToTheGridsCell_data();
    void keyboardReturnsToTheGridsCell();
    void helpOfEachWindow_data();
    void helpOfEachWindow();
    void gridMovesChooseTheEditorsChannel_data();
    void gridMovesChooseTheEditorsChannel();
};

void Keyboard::wholeTaskByKeyboard()
{
    SimulatedRadioProgram p;
    QTemporaryDir files;
    // The radio holds a valid image; port 1 has no device, port 3 is the radio.
    startWithDefaultImage();
    for (int r = 0; r < 256; ++r)
        for (int c = 0; c < RowBytes; ++c)
            p.radio.memory[r * 16 + c] = char(Img(r, c));
    for (int r = 1; r <= 128; ++r)
        Img(r, 0) = 255;
    p.registry().ports().mapPortNumber(1, QStringLiteral("/dev/no-such-port"));
    p.registry().ports().mapPortNumber(3, p.radio.devicePath());
    p.session().setChannelFileName(QDir(files.path()).filePath(QStringLiteral("start.chann")));
    MDImain *main = p.main.get();
    main->activateWindow();

    // 1. F10 opens the first menu; the arrows walk to the port item.
    press(main, Qt::Key_F10);
    QCOMPARE(main->menuBar()->activeAction(), main->menuItem(QStringLiteral("File")));
    for (int i = 0; i < 4; ++i)
        press(main, Qt::Key_Right);
    QCOMPARE(main->menuBar()->activeAction(), main->menuItem(QStringLiteral("proc_setup")));
    press(main, Qt::Key_Return);
    auto *setup = p.window<Form_setup>(WindowId::Form_setup);
    QVERIFY(setup);
    QCOMPARE(QApplication::focusWidget(), setup->Option[0]);
    press(main, Qt::Key_Right);
    press(main, Qt::Key_Right);
    QVERIFY(setup->Option[2]->isChecked());
    press(main, Qt::Key_Return);
    QVERIFY(!p.session().isWindowOpen(WindowId::Form_setup));
    QCOMPARE(p.session().port().number, 3);
    QCOMPARE(main->statusPanels().text(3), QStringLiteral("COM3"));

    // 2. Ctrl+R and Enter read the radio.
    main->activateWindow();
    press(main, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(p.session().isWindowOpen(WindowId::Form_Comm_Read));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command_read"));
    press(main, Qt::Key_Return);
    QVERIFY(waitUntil([&p] { return !p.session().isWindowOpen(WindowId::Form_Comm_Read); }, 20000));
    QVERIFY(p.radioMatchesImage(0, 253));
    QVERIFY2(matchesAtTime(outcome(main), QStringLiteral("Read from COM3, ")), qPrintable(outcome(main)));

    // 3. The grid has channel 1 current: four steps down, type, Enter.
    QApplication::processEvents();
    auto *grid = control<QTableView>(p.registry().get(WindowId::frm_chann), "MSF_chann");
    grid->setFocus();
    QCOMPARE(grid->currentIndex().row(), 0);
    QCOMPARE(grid->currentIndex().column(), 1);
    for (int i = 0; i < 4; ++i)
        press(main, Qt::Key_Down);
    type(main, QStringLiteral("440.125"));
    press(main, Qt::Key_Return);
    QCOMPARE(channelRxText(Document(), 5), QStringLiteral("440.12500"));
    QVERIFY(!p.radioMatchesImage(5, 5));

    // 4. Ctrl+W wins over the child windows' Close and Enter writes.
    press(main, Qt::Key_W, Qt::ControlModifier);
    QVERIFY(p.session().isWindowOpen(WindowId::Form_Comm_Write));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command_Write"));
    press(main, Qt::Key_Return);
    QVERIFY(waitUntil([&p] { return !p.session().isWindowOpen(WindowId::Form_Comm_Write); }, 20000));
    QVERIFY(p.radioMatchesImage(0, 254));
    QVERIFY2(matchesAtTime(outcome(main), QStringLiteral("Written to COM3 and done, ")), qPrintable(outcome(main)));
    QVERIFY(p.messages.texts().isEmpty());

    // 5. Ctrl+S, the name, Enter.
    main->activateWindow();
    press(main, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(p.session().isWindowOpen(WindowId::Form_save_chann));
    type(main, QStringLiteral("ch5.chann"));
    press(main, Qt::Key_Return);
    QVERIFY(!p.session().isWindowOpen(WindowId::Form_save_chann));
    QVERIFY(QFileInfo::exists(QDir(files.path()).filePath(QStringLiteral("ch5.chann"))));
    QCOMPARE(outcome(main), QStringLiteral("Saved ") + QDir(files.path()).filePath(QStringLiteral("ch5.chann")));

    // 6. Ctrl+O the same way brings channel 5 back.
    markChannelEmpty(Document(), 5);
    main->activateWindow();
    press(main, Qt::Key_O, Qt::ControlModifier);
    QVERIFY(p.session().isWindowOpen(WindowId::Form_open_chann));
    type(main, QStringLiteral("ch5.chann"));
    press(main, Qt::Key_Return);
    QVERIFY(!p.session().isWindowOpen(WindowId::Form_open_chann));
    QCOMPARE(channelRxText(Document(), 5), QStringLiteral("440.12500"));
    QCOMPARE(outcome(main), QStringLiteral("Loaded ") + QDir(files.path()).filePath(QStringLiteral("ch5.chann")));
    QCOMPARE(p.messages.texts(), QStringList({QStringLiteral("Complete storing channel parameter."),
                                              QStringLiteral("Succeed fold the channel parameter from file.")}));

    // The language switch clears the outcome.
    main->menuItem(QStringLiteral("Language_chn"))->trigger();
    QCOMPARE(outcome(main), QString());
}

void Keyboard::keysOfEachWindow_data()
{
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("focus"); // the control focused on opening; empty: not checked
    // The keys in turn; more than the four keys one sequence holds take a list.
    QTest::addColumn<QList<QKeySequence>>("keys");
    QTest::addColumn<QString>("focusAfter"); // the control focused after the keys; empty: not checked
    QTest::addColumn<bool>("closes");
    auto row = [](const char *name, const char *item, WindowId id, const char *focus, const auto &keys,
                  bool closes, const char *focusAfter = "") {
        QList<QKeySequence> sequences;
        if constexpr (std::is_same_v<std::decay_t<decltype(keys)>, QList<QKeySequence>>)
            sequences = keys;
        else
            sequences = {QKeySequence(keys)};
        QTest::newRow(name) << QString::fromLatin1(item) << int(id) << QString::fromLatin1(focus) << sequences
                            << QString::fromLatin1(focusAfter) << closes;
    };
    row("port, Escape", "proc_setup", WindowId::Form_setup, "Option1", Qt::Key_Escape, true);
    row("port, Enter confirms", "proc_setup", WindowId::Form_setup, "Option1", Qt::Key_Return, true);
    // The arrows choose COM3; back from Confirm, Shift+Tab lands on it.
    row("port, Shift+Tab enters at the checked port", "proc_setup", WindowId::Form_setup, "Option1",
        QKeySequence(QStringLiteral("Right, Right, Tab, Shift+Tab")), false, "Option3");
    row("read, Escape", "Prog_read", WindowId::Form_Comm_Read, "Command_read", Qt::Key_Escape, true);
    row("write, Escape", "Prog_write", WindowId::Form_Comm_Write, "Command_Write", Qt::Key_Escape, true);
    // Enter presses the focused button, here Cancel, not the window's read.
    row("read, Enter on Cancel", "Prog_read", WindowId::Form_Comm_Read, "Command_read",
        QKeySequence(QStringLiteral("Tab, Return")), true);
    row("save, Escape", "File_save", WindowId::Form_save_chann, "Text1", Qt::Key_Escape, true);
    row("open, Escape", "File_Open", WindowId::Form_open_chann, "Text1", Qt::Key_Escape, true);
    row("model, Enter", "proc_type", WindowId::Form_type, "", Qt::Key_Return, true);
    row("model, keypad Enter", "proc_type", WindowId::Form_type, "", QKeySequence(Qt::KeypadModifier | Qt::Key_Enter),
        true);
    row("About, Escape", "Menu_About", WindowId::frmAbout, "", Qt::Key_Escape, true);
    row("options, Escape", "Optional_edit", WindowId::frm_option, "", Qt::Key_Escape, true);
    row("DTMF, Escape", "Dtmf_edit", WindowId::frm_dtmf, "", Qt::Key_Escape, true);
    row("radio presets, Escape", "Test_edit", WindowId::Form_Edit_Test, "", Qt::Key_Escape, true);
    // The grid's Close may be refused, and Escape belongs to its cell editors.
    row("grid, Escape stays", "Channel_edit", WindowId::frm_chann, "MSF_chann", Qt::Key_Escape, false);
    // Clear hands the keyboard to the cell: a second Enter opens the cell.
    row("grid, Enter on Clear goes back to the cell", "Channel_edit", WindowId::frm_chann, "MSF_chann",
        QList<QKeySequence>{QKeySequence(QStringLiteral("Tab, Tab, Tab, Tab")), QKeySequence(Qt::Key_Return)},
        false, "MSF_chann");
    // A walk through the menus hands the keyboard back when it ends, also
    // after the bar itself took the keys on a plain item (Model).
    row("grid, F10 walk past a plain item ends with Escape", "Channel_edit", WindowId::frm_chann, "MSF_chann",
        QKeySequence(QStringLiteral("F10, Right, Escape")), false, "MSF_chann");
    // Past the plain item to the next menu's title, then out again.
    row("grid, F10 walk past a plain item to a menu ends with Escape", "Channel_edit", WindowId::frm_chann,
        "MSF_chann",
        QList<QKeySequence>{QKeySequence(QStringLiteral("F10, Right, Right, Escape")), QKeySequence(Qt::Key_Escape)},
        false, "MSF_chann");
}

void Keyboard::keysOfEachWindow()
{
    QFETCH(QString, menuItem);
    QFETCH(int, window);
    QFETCH(QString, focus);
    QFETCH(QList<QKeySequence>, keys);
    QFETCH(QString, focusAfter);
    QFETCH(bool, closes);
    SimulatedRadioProgram p;
    const auto id = WindowId(window);
    p.main->activateWindow();
    p.main->menuItem(menuItem)->trigger();
    QApplication::processEvents();
    QVERIFY(p.session().isWindowOpen(id));
    if (!focus.isEmpty())
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    for (const QKeySequence &sequence : keys)
        for (int i = 0; i < sequence.count(); ++i)
            press(p.main.get(), sequence[i].key(), sequence[i].keyboardModifiers());
    QCOMPARE(!p.session().isWindowOpen(id), closes);
    if (!focusAfter.isEmpty())
        QCOMPARE(QApplication::focusWidget()->objectName(), focusAfter);
    QVERIFY(p.messages.texts().isEmpty());
}

void Keyboard::optionsTabDownEachColumnInTurn()
{
    StartedProgram p;
    p.main->menuItem(QStringLiteral("Optional_edit"))->trigger();
    QWidget *window = p.registry().get(WindowId::frm_option);
    // The group boxes in the order Tab reaches their controls.
    QStringList frames;
    for (QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(window))
            continue;
        QWidget *frame = nullptr;
        for (QWidget *up = w->parentWidget(); up && up != window; up = up->parentWidget())
            if (qobject_cast<QGroupBox *>(up))
                frame = up;
        const QString name = frame ? frame->objectName() : QStringLiteral("buttons");
        if (frames.isEmpty() || frames.last() != name)
            frames << name;
    }
    QCOMPARE(frames, (QStringList{"Frame2", "Frame_mode", "Frame_Scan", "Frame1", "Frame5", "Frame_vfo",
                                  "Frame_Freq_range", "buttons"}));
}

void Keyboard::tabFollowsTheLayout_data()
{
    QTest::addColumn<int>("window");
    const std::pair<const char *, WindowId> windows[] = {
        {"About", WindowId::frmAbout},
        {"options", WindowId::frm_option},
        {"grid", WindowId::frm_chann},
        {"port", WindowId::Form_setup},
        {"model", WindowId::Form_type},
        {"save", WindowId::Form_save_chann},
        {"open", WindowId::Form_open_chann},
        {"read", WindowId::Form_Comm_Read},
        {"write", WindowId::Form_Comm_Write},
        {"radio presets", WindowId::Form_Edit_Test},
        {"message", WindowId::Form_Edit_Message},
        {"power", WindowId::Form_Adjust_Txp},
        {"DTMF", WindowId::frm_dtmf},
        {"channel editor", WindowId::Form_Chann_Edit},
        {"scan", WindowId::Form_Edit_scan},
        {"keys", WindowId::Form_edit_Key},
        {"open settings", WindowId::Form_open_menu},
        {"save settings", WindowId::Form_save_menu},
    };
    for (const auto &[name, id] : windows)
        QTest::newRow(name) << int(id);
}

// Tab goes round every control of the window once, each to the right of or
// below the one before, but for the single step from the last back to the
// first.
void Keyboard::tabFollowsTheLayout()
{
    QFETCH(int, window);
    StartedProgram p;
    ChildWindow *w = p.registry().reopen(WindowId(window));
    QVERIFY(w);
    // Every control, as one state or another of the window enables it.
    for (QWidget *c : w->findChildren<QWidget *>())
        c->setEnabled(true);
    p.main->activateWindow();
    QApplication::processEvents();
    QWidget *first = QApplication::focusWidget();
    QVERIFY(first && w->isAncestorOf(first));
    QList<QWidget *> walk{first};
    for (;;) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *next = QApplication::focusWidget();
        if (next == first)
            break;
        QVERIFY2(!walk.contains(next), qPrintable(next->objectName() + QLatin1String(" keeps Tab")));
        walk << next;
    }
    for (const QPushButton *button : w->findChildren<QPushButton *>())
        QVERIFY2(!button->isVisibleTo(w) || walk.contains(button),
                 qPrintable(button->objectName() + QLatin1String(" out of Tab's reach")));
    const auto place = [w](const QWidget *c) { return QRect(c->mapTo(w, QPoint(0, 0)), c->size()); };
    QStringList backwards;
    for (int i = 0; i < walk.size(); ++i) {
        const QRect from = place(walk.at(i));
        const QRect to = place(walk.at((i + 1) % walk.size()));
        if (to.left() <= from.right() && to.top() <= from.bottom())
            backwards << walk.at(i)->objectName() + QLatin1String(" -> ")
                    + walk.at((i + 1) % walk.size())->objectName();
    }
    QVERIFY2(backwards.size() == 1, qPrintable(backwards.join(QStringLiteral(", "))));
}

void Keyboard::keyboardReturnsToTheGridsCell_data()
{
    QTest::addColumn<QString>("menuItem"); // empty: Enter on the button `from` opens the window
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QKeySequence>("keys"); // close the window, by Escape, its Close or its work
    QTest::addColumn<QString>("from"); // the grid's button Tab takes the keyboard to first; empty: the cell editor
    auto row = [](const char *name, const char *item, WindowId id, const char *typed, const QKeySequence &keys,
                  const char *from = "") {
        QTest::newRow(name) << QString::fromLatin1(item) << int(id) << QString::fromLatin1(typed) << keys
                            << QString::fromLatin1(from);
    };
    row("port, Escape", "proc_setup", WindowId::Form_setup, "", Qt::Key_Escape);
    row("port, Enter", "proc_setup", WindowId::Form_setup, "", Qt::Key_Return);
    row("read, Escape", "Prog_read", WindowId::Form_Comm_Read, "", Qt::Key_Escape);
    row("read, Cancel", "Prog_read", WindowId::Form_Comm_Read, "", QKeySequence(QStringLiteral("Tab, Return")));
    row("read, completed", "Prog_read", WindowId::Form_Comm_Read, "", Qt::Key_Return);
    row("write, Escape", "Prog_write", WindowId::Form_Comm_Write, "", Qt::Key_Escape);
    row("write, completed", "Prog_write", WindowId::Form_Comm_Write, "", Qt::Key_Return);
    row("save, Escape", "File_save", WindowId::Form_save_chann, "", Qt::Key_Escape);
    row("save, saved", "File_save", WindowId::Form_save_chann, "start.chann", Qt::Key_Return);
    row("open, Escape", "File_Open", WindowId::Form_open_chann, "", Qt::Key_Escape);
    row("open, loaded", "File_Open", WindowId::Form_open_chann, "start.chann", Qt::Key_Return);
    // From Clear too: the next Enter must not blank the file just opened.
    row("open from Clear, loaded", "File_Open", WindowId::Form_open_chann, "start.chann", Qt::Key_Return,
        "Command_Clear");
    row("channel editor, Close", "", WindowId::Form_Chann_Edit, "", Qt::Key_Escape, "Command_Edit");
    row("options, Escape", "Optional_edit", WindowId::frm_option, "", Qt::Key_Escape);
    row("DTMF, Escape", "Dtmf_edit", WindowId::frm_dtmf, "", Qt::Key_Escape);
    row("radio presets, Escape", "Test_edit", WindowId::Form_Edit_Test, "", Qt::Key_Escape);
    row("model, Enter", "proc_type", WindowId::Form_type, "", Qt::Key_Return);
    row("About, Escape", "Menu_About", WindowId::frmAbout, "", Qt::Key_Escape);
}

// Whatever closed a child window, the keyboard is back on the grid's
// current cell, where Enter opens the cell and changes nothing.
void Keyboard::keyboardReturnsToTheGridsCell()
{
    QFETCH(QString, menuItem);
    QFETCH(int, window);
    QFETCH(QString, typed);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, from);
    SimulatedRadioProgram p;
    QTemporaryDir files;
    p.session().setChannelFileName(QDir(files.path()).filePath(QStringLiteral("start.chann")));
    QString error;
    QVERIFY(saveChannelFile(p.session().channelFileName(), testDocument().image(), error, Language::English));
    MDImain *main = p.main.get();
    main->activateWindow();
    // Another window stands open beside the grid, made after it: the
    // keyboard must go back to where it was, not to the window made last.
    main->menuItem(QStringLiteral("Dtmf_edit"))->trigger();
    auto *grid = control<QTableView>(p.registry().get(WindowId::frm_chann), "MSF_chann");
    p.registry().mdiArea()->setActiveSubWindow(
        qobject_cast<QMdiSubWindow *>(p.registry().get(WindowId::frm_chann)->parentWidget()));
    grid->setFocus();
    for (int i = 0; i < 4; ++i)
        press(main, Qt::Key_Down);
    // The cell's editor open, as when a window is opened in the middle of
    // an entry: it hides, and the keyboard must not pass on to Clear.
    press(main, Qt::Key_Return);
    const auto id = WindowId(window);
    if (!from.isEmpty()) {
        press(main, Qt::Key_Escape);
        while (QApplication::focusWidget()->objectName() != from)
            press(main, Qt::Key_Tab);
    }
    if (menuItem.isEmpty())
        press(main, Qt::Key_Return);
    else
        main->menuItem(menuItem)->trigger();
    QApplication::processEvents();
    QVERIFY(p.session().isWindowOpen(id));
    // Meanwhile the grid may hide its editor (a scroll does): the keyboard
    // then goes to the cell, not on along the chain to a button.
    control<QLineEdit>(p.registry().get(WindowId::frm_chann), "Text_Edit")->hide();
    type(main, typed);
    for (int i = 0; i < keys.count(); ++i)
        press(main, keys[i].key(), keys[i].keyboardModifiers());
    QVERIFY(waitUntil([&p, id] { return !p.session().isWindowOpen(id); }, 20000));
    // The grid's current cell, or the cell editor open over it.
    const auto backHome = [grid] {
        QWidget *f = QApplication::focusWidget();
        return f && (f == grid || grid->isAncestorOf(f));
    };
    QVERIFY(waitUntil(backHome, 2000));
    QCOMPARE(grid->currentIndex().row(), 4);
    const ImageCopy before = copyImage();
    press(main, Qt::Key_Return);
    press(main, Qt::Key_Escape);
    QVERIFY(copyImage() == before);
}

void Keyboard::helpOfEachWindow_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<bool>("chinese");
    for (int id = 0; id < WindowIdCount; ++id)
        for (bool chinese : {false, true})
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(id).arg(chinese ? "zh" : "en"))) << id << chinese;
}

// F1 and the Help button open the window's own page in the language in
// use: what it does, its controls, and the keys.
void Keyboard::helpOfEachWindow()
{
    QFETCH(int, window);
    QFETCH(bool, chinese);
    StartedProgram p;
    p.main->menuItem(chinese ? QStringLiteral("Language_chn") : QStringLiteral("Language_eng"))->trigger();
    ChildWindow *w = p.registry().reopen(WindowId(window));
    QVERIFY(w);
    p.main->activateWindow();
    QApplication::processEvents();
    QWidget *focused = QApplication::focusWidget();
    QVERIFY(focused && w->isAncestorOf(focused));
    QTest::keyClick(focused, Qt::Key_F1);
    auto *viewer = p.main->findChild<QTextBrowser *>(QStringLiteral("helpViewer"));
    QVERIFY(viewer && viewer->isVisible());
    const QString page = viewer->toPlainText();
    for (const QString &part : chinese ? QStringList{QStringLiteral("控件"), QStringLiteral("按键"), QStringLiteral("关闭本窗口")}
                                       : QStringList{QStringLiteral("Controls"), QStringLiteral("Keys"), QStringLiteral("close this window")})
        QVERIFY2(page.contains(part), qPrintable(page));
    for (const QString &key : {QStringLiteral("Ctrl+Z"), QStringLiteral("Ctrl+F4"), QStringLiteral("F10")})
        QVERIFY(page.contains(key));
    const bool linkWindow = WindowId(window) == WindowId::Form_Comm_Read || WindowId(window) == WindowId::Form_Comm_Write
        || WindowId(window) == WindowId::Form_Adjust_Txp || WindowId(window) == WindowId::Form_setup;
    QCOMPARE(page.contains(chinese ? QStringLiteral("dialout") : QStringLiteral("dialout group")), linkWindow);
    // Enter and Escape are listed where they press a button of the window.
    QCOMPARE(page.contains(QStringLiteral("Enter: ")), w->mainAction() != nullptr);
    QCOMPARE(page.contains(QStringLiteral("Escape: ")), w->escapeButton() != nullptr);
    // The window's own page, not another's; the Help button opens the same.
    viewer->clear();
    const QList<QPushButton *> buttons = w->findChildren<QPushButton *>(QRegularExpression(QStringLiteral("^Command_[Hh]elp$")));
    for (QPushButton *button : buttons) {
        button->click();
        QCOMPARE(viewer->toPlainText(), page);
    }
    viewer->close();
}

void Keyboard::gridMovesChooseTheEditorsChannel_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<int>("channel");
    QTest::newRow("Down four times") << QKeySequence(QStringLiteral("Down, Down, Down, Down")) << 5;
    QTest::newRow("Down, Up") << QKeySequence(QStringLiteral("Down, Down, Up")) << 2;
    QTest::newRow("Right stays on the row") << QKeySequence(QStringLiteral("Down, Right, Right")) << 2;
    QTest::newRow("Page Down") << QKeySequence(QStringLiteral("PgDown")) << -1;
    QTest::newRow("Ctrl+End") << QKeySequence(QStringLiteral("Ctrl+End")) << 128;
}

// Every move to another row makes its channel current: the caption names
// it and Channel Edit opens it.
void Keyboard::gridMovesChooseTheEditorsChannel()
{
    QFETCH(QKeySequence, keys);
    QFETCH(int, channel);
    StartedProgram p;
    MDImain *main = p.main.get();
    main->menuItem(QStringLiteral("Language_eng"))->trigger();
    main->activateWindow();
    auto *gridWindow = p.registry().get(WindowId::frm_chann);
    auto *grid = control<QTableView>(gridWindow, "MSF_chann");
    grid->setFocus();
    for (int i = 0; i < keys.count(); ++i)
        press(main, keys[i].key(), keys[i].keyboardModifiers());
    if (channel < 0) // a page: whatever row the grid went to
        channel = grid->currentIndex().row() + 1;
    QVERIFY(channel > 1);
    QCOMPARE(grid->currentIndex().row() + 1, channel);
    QCOMPARE(gridWindow->windowTitle(), QStringLiteral("Channel Information [ Channel - %1 ]").arg(channel));
    press(main, Qt::Key_Tab); // Channel Edit, the first button after the grid
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command_Edit"));
    press(main, Qt::Key_Return);
    QVERIFY(p.session().isWindowOpen(WindowId::Form_Chann_Edit));
    QCOMPARE(testDocument().currentChannel(), channel);
    // And a click on another row's cell, as before.
    grid->setFocus();
    const QRect cell = grid->visualRect(grid->model()->index(2, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(testDocument().currentChannel(), 3);
    QCOMPARE(gridWindow->windowTitle(), QStringLiteral("Channel Information [ Channel - 3 ]"));
}

QTEST_MAIN(Keyboard)
#include "tst_keyboard.moc"
