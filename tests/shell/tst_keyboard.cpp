// The whole task by keyboard alone, against the simulated radio: choose its
// port, read, change channel 5, write, save and load, checking the image, the
// radio's memory and the outcome line of the status bar at each step.
#include "link/LinkFixture.h"

#include "core/ChannelRecord.h"
#include "files/FileWindow.h"
#include "link/Form_setup.h"
#include "platform/StatusPanels.h"

#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>

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
    SerialPort::mapPortNumber(1, QStringLiteral("/dev/no-such-port"));
    SerialPort::mapPortNumber(3, p.radio.devicePath());
    ChannelFileName = QDir(files.path()).filePath(QStringLiteral("start.chann"));
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
    QVERIFY(!OpenFlag(WindowId::Form_setup));
    QCOMPARE(CommPortNo, qint16(3));
    QCOMPARE(main->statusPanels().text(3), QStringLiteral("COM3"));

    // 2. Ctrl+R and Enter read the radio.
    main->activateWindow();
    press(main, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(OpenFlag(WindowId::Form_Comm_Read));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command_read"));
    press(main, Qt::Key_Return);
    QVERIFY(waitUntil([] { return !OpenFlag(WindowId::Form_Comm_Read); }, 20000));
    QVERIFY(p.radioMatchesImage(0, 253));
    QVERIFY2(matchesAtTime(outcome(main), QStringLiteral("Read from COM3, ")), qPrintable(outcome(main)));

    // 3. The grid has channel 1 current: four steps down, type, Enter.
    QApplication::processEvents();
    auto *grid = control<QTableWidget>(p.registry().get(WindowId::frm_chann), "MSF_chann");
    grid->setFocus();
    QCOMPARE(grid->currentRow(), 0);
    QCOMPARE(grid->currentColumn(), 1);
    for (int i = 0; i < 4; ++i)
        press(main, Qt::Key_Down);
    type(main, QStringLiteral("440.125"));
    press(main, Qt::Key_Return);
    QCOMPARE(channelRxText(Document(), 5), QStringLiteral("440.12500"));
    QVERIFY(!p.radioMatchesImage(5, 5));

    // 4. Ctrl+W wins over the child windows' Close and Enter writes.
    press(main, Qt::Key_W, Qt::ControlModifier);
    QVERIFY(OpenFlag(WindowId::Form_Comm_Write));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command_Write"));
    press(main, Qt::Key_Return);
    QVERIFY(waitUntil([] { return !OpenFlag(WindowId::Form_Comm_Write); }, 20000));
    QVERIFY(p.radioMatchesImage(0, 254));
    QVERIFY2(matchesAtTime(outcome(main), QStringLiteral("Written to COM3 and done, ")), qPrintable(outcome(main)));
    QVERIFY(p.messages.texts().isEmpty());

    // 5. Ctrl+S, the name, Enter.
    main->activateWindow();
    press(main, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(OpenFlag(WindowId::Form_save_chann));
    type(main, QStringLiteral("ch5.chann"));
    press(main, Qt::Key_Return);
    QVERIFY(!OpenFlag(WindowId::Form_save_chann));
    QVERIFY(QFileInfo::exists(QDir(files.path()).filePath(QStringLiteral("ch5.chann"))));
    QCOMPARE(outcome(main), QStringLiteral("Saved ch5.chann"));

    // 6. Ctrl+O the same way brings channel 5 back.
    markChannelEmpty(Document(), 5);
    main->activateWindow();
    press(main, Qt::Key_O, Qt::ControlModifier);
    QVERIFY(OpenFlag(WindowId::Form_open_chann));
    type(main, QStringLiteral("ch5.chann"));
    press(main, Qt::Key_Return);
    QVERIFY(!OpenFlag(WindowId::Form_open_chann));
    QCOMPARE(channelRxText(Document(), 5), QStringLiteral("440.12500"));
    QCOMPARE(outcome(main), QStringLiteral("Loaded ch5.chann"));
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
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("focusAfter"); // the control focused after the keys; empty: not checked
    QTest::addColumn<bool>("closes");
    auto row = [](const char *name, const char *item, WindowId id, const char *focus, const QKeySequence &keys,
                  bool closes, const char *focusAfter = "") {
        QTest::newRow(name) << QString::fromLatin1(item) << int(id) << QString::fromLatin1(focus) << keys
                            << QString::fromLatin1(focusAfter) << closes;
    };
    row("port, Escape", "proc_setup", WindowId::Form_setup, "Option1", Qt::Key_Escape, true);
    row("port, Enter confirms", "proc_setup", WindowId::Form_setup, "Option1", Qt::Key_Return, true);
    // The arrows choose COM3; back from Confirm, Shift+Tab lands on it.
    row("port, Shift+Tab enters at the checked port", "proc_setup", WindowId::Form_setup, "Option1",
        QKeySequence(QStringLiteral("Right, Right, Tab, Shift+Tab")), false, "Option3");
    row("read, Escape", "Prog_read", WindowId::Form_Comm_Read, "Command_read", Qt::Key_Escape, true);
    row("write, Escape", "Prog_write", WindowId::Form_Comm_Write, "Command_Write", Qt::Key_Escape, true);
    row("save, Escape", "File_save", WindowId::Form_save_chann, "Text1", Qt::Key_Escape, true);
    row("open, Escape", "File_Open", WindowId::Form_open_chann, "Text1", Qt::Key_Escape, true);
    row("model, Enter", "proc_type", WindowId::Form_type, "", Qt::Key_Return, true);
    row("About, Escape", "Menu_About", WindowId::frmAbout, "", Qt::Key_Escape, true);
    row("options, Escape", "Optional_edit", WindowId::frm_option, "", Qt::Key_Escape, true);
    row("DTMF, Escape", "Dtmf_edit", WindowId::frm_dtmf, "", Qt::Key_Escape, true);
    row("radio presets, Escape", "Test_edit", WindowId::Form_Edit_Test, "", Qt::Key_Escape, true);
    // The grid's Close may be refused, and Escape belongs to its cell editors.
    row("grid, Escape stays", "Channel_edit", WindowId::frm_chann, "MSF_chann", Qt::Key_Escape, false);
}

void Keyboard::keysOfEachWindow()
{
    QFETCH(QString, menuItem);
    QFETCH(int, window);
    QFETCH(QString, focus);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, focusAfter);
    QFETCH(bool, closes);
    SimulatedRadioProgram p;
    const auto id = WindowId(window);
    p.main->activateWindow();
    p.main->menuItem(menuItem)->trigger();
    QApplication::processEvents();
    QVERIFY(OpenFlag(id));
    if (!focus.isEmpty())
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    for (int i = 0; i < keys.count(); ++i)
        press(p.main.get(), keys[i].key(), keys[i].keyboardModifiers());
    QCOMPARE(!OpenFlag(id), closes);
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

QTEST_MAIN(Keyboard)
#include "tst_keyboard.moc"
