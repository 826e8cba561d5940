// The scan, key, DTMF, message and FM preset windows, and how the menus and
// the language switch open them.
#include "SettingsTestSupport.h"

#include "support/TestImage.h"
#include "platform/ChildWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

using namespace Region;

namespace {
constexpr int ScanRow = 240;
constexpr int KeyRow = 240;
constexpr int MessageRow = 209;
} // namespace

class TestSettingsWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<StartedProgram> program;
    ChildWindow *window = nullptr;

    template <typename T> T *control(const char *name) { return ::control<T>(window, name); }
    void open(WindowId id)
    {
        window = program->registry().reopen(id);
        QVERIFY(window);
        activate(program->main.get());
    }
    void english() { program->main->menuItem("Language_eng")->trigger(); }
    QStringList items(QComboBox *list)
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->itemText(i);
        return texts;
    }
    QList<int> bytes(int row, int first, int count)
    {
        QList<int> values;
        for (int b = first; b < first + count; ++b)
            values << Img(row, b);
        return values;
    }
    // The FM grid: preset k is table row k.
    void clickPreset(QTableWidget *grid, int preset, int column = 1)
    {
        const QRect cell = grid->visualRect(grid->model()->index(preset, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QApplication::processEvents();
    }

private slots:
    void init() { program = std::make_unique<StartedProgram>(); }
    void cleanup()
    {
        window = nullptr;
        program.reset();
    }

    // Opening and captions ------------------------------------------------

    void windowsOpenWithTheirCaptions_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("menuItem");
        QTest::addColumn<QString>("chinese");
        QTest::addColumn<QString>("english");
        QTest::newRow("options") << int(WindowId::frm_option) << "Optional_edit" << "可选参数"
                                 << "Optional Features";
        QTest::newRow("dtmf") << int(WindowId::frm_dtmf) << "Dtmf_edit" << "DTMF 设置" << "DTMF Setting";
        QTest::newRow("fm") << int(WindowId::Form_Edit_Test) << "Test_edit" << "收音机编辑"
                            << "Radio Frequency";
        QTest::newRow("scan") << int(WindowId::Form_Edit_scan) << "" << "扫描信息" << "Scan Information";
        QTest::newRow("keys") << int(WindowId::Form_edit_Key) << "" << "键设定" << "Key Assingment";
        QTest::newRow("message") << int(WindowId::Form_Edit_Message) << "" << "嵌入信息"
                                 << "Embedded Message";
    }
    void windowsOpenWithTheirCaptions()
    {
        QFETCH(int, id);
        QFETCH(QString, menuItem);
        QFETCH(QString, chinese);
        QFETCH(QString, english);
        const auto windowId = static_cast<WindowId>(id);
        for (const QString &title : {chinese, english}) {
            if (title == english)
                this->english();
            if (menuItem.isEmpty())
                program->registry().reopen(windowId);
            else
                program->main->menuItem(menuItem)->trigger();
            ChildWindow *w = program->registry().get(windowId);
            QVERIFY(w);
            QCOMPARE(w->windowTitle(), title);
            QVERIFY(program->session().isWindowOpen(windowId));
            QVERIFY(w->parentWidget()->width() > 100);
        }
        program->registry().close(windowId);
        QVERIFY(!program->session().isWindowOpen(windowId));
    }

    void languageSwitchReopensTheListedWindows()
    {
        const WindowId all[] = {WindowId::frm_option, WindowId::Form_Edit_scan, WindowId::Form_edit_Key,
                                WindowId::frm_dtmf, WindowId::Form_Edit_Message, WindowId::Form_Edit_Test};
        for (WindowId id : all)
            program->registry().reopen(id);
        english();
        const auto title = [this](WindowId id) { return program->registry().get(id)->windowTitle(); };
        QCOMPARE(title(WindowId::frm_option), QStringLiteral("Optional Features"));
        QCOMPARE(title(WindowId::frm_dtmf), QStringLiteral("DTMF Setting"));
        QCOMPARE(title(WindowId::Form_Edit_Test), QStringLiteral("Radio Frequency"));
        QCOMPARE(title(WindowId::Form_Edit_Message), QStringLiteral("Embedded Message"));
        QCOMPARE(title(WindowId::Form_Edit_scan), QStringLiteral("扫描信息"));
        QCOMPARE(title(WindowId::Form_edit_Key), QStringLiteral("键设定"));
        program->main->menuItem("Language_chn")->trigger();
        QCOMPARE(title(WindowId::frm_option), QStringLiteral("可选参数"));
        QCOMPARE(title(WindowId::Form_Edit_Message), QStringLiteral("Embedded Message"));
    }

    // Scan information --------------------------------------------------------

    void lookBackTimes_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("storedAfter");
        QTest::newRow("0 is 0.50, 0.55 stores 2") << 0 << "0.50" << 1 << 2;
        QTest::newRow("1 is 0.50, 5.00 stores 91") << 1 << "0.50" << 90 << 91;
        QTest::newRow("2 is 0.55, 0.50 stores 0") << 2 << "0.55" << 0 << 0;
        QTest::newRow("91 is 5.00") << 91 << "5.00" << 89 << 90;
        QTest::newRow("beyond the list is 4.95") << 92 << "4.95" << 10 << 11;
        QTest::newRow("far beyond the list is 4.95") << 255 << "4.95" << 10 << 11;
    }
    void lookBackTimes()
    {
        QFETCH(int, stored);
        QFETCH(QString, shown);
        QFETCH(int, chosen);
        QFETCH(int, storedAfter);
        Img(ScanRow, 0) = 1;
        Img(ScanRow, 2) = stored;
        Img(ScanRow, 3) = stored;
        open(WindowId::Form_Edit_scan);
        auto *a = control<QComboBox>("Combo_BA");
        auto *b = control<QComboBox>("Combo_BB");
        QCOMPARE(a->count(), 91);
        QCOMPARE(a->currentText(), shown);
        QCOMPARE(b->currentText(), shown);
        QCOMPARE(Img(ScanRow, 2), stored);
        chooseItem(a, chosen);
        QCOMPARE(Img(ScanRow, 2), storedAfter);
        QCOMPARE(Img(ScanRow, 3), stored);
        chooseItem(b, chosen);
        QCOMPARE(Img(ScanRow, 3), storedAfter);
    }

    void revertListFollowsThePriorityKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("storedRevert");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<int>("shown");
        const QString sel = "Selected", selTalk = "Selected+Talk Back", pri = "Priority",
                      priTalk = "Priority+Talk Back";
        QTest::newRow("none") << 0 << 1 << QStringList{sel, selTalk} << 1;
        QTest::newRow("none, priority stored") << 0 << 3 << QStringList{sel, selTalk} << 1;
        QTest::newRow("fixed") << 1 << 3 << QStringList{sel, selTalk, pri, priTalk} << 3;
        QTest::newRow("selected") << 2 << 3 << QStringList{pri, priTalk} << 1;
        QTest::newRow("selected, 0 stored") << 2 << 0 << QStringList{pri, priTalk} << 0;
        QTest::newRow("kind beyond the list") << 7 << 2 << QStringList{pri, priTalk} << 0;
    }
    void revertListFollowsThePriorityKind()
    {
        QFETCH(int, kind);
        QFETCH(int, storedRevert);
        QFETCH(QStringList, list);
        QFETCH(int, shown);
        english();
        Img(ScanRow, 0) = kind;
        Img(ScanRow, 4) = storedRevert;
        open(WindowId::Form_Edit_scan);
        auto *revert = control<QComboBox>("Combo_BC");
        QCOMPARE(items(revert), list);
        QCOMPARE(revert->currentIndex(), shown);
        QCOMPARE(Img(ScanRow, 4), storedRevert);
        QCOMPARE(Img(ScanRow, 0), kind);
    }

    void choosingTheKindRebuildsTheRevertList()
    {
        Img(ScanRow, 0) = 2;
        Img(ScanRow, 4) = 2;
        open(WindowId::Form_Edit_scan);
        auto *revert = control<QComboBox>("Combo_BC");
        chooseItem(revert, 1);
        QCOMPARE(Img(ScanRow, 4), 3);
        chooseItem(control<QComboBox>("Combo_pri"), 1);
        QCOMPARE(Img(ScanRow, 0), 1);
        QCOMPARE(revert->count(), 4);
        QCOMPARE(revert->currentIndex(), 3);
        QCOMPARE(Img(ScanRow, 4), 3);
        chooseItem(control<QComboBox>("Combo_pri"), 0);
        QCOMPARE(revert->currentIndex(), 1);
        QCOMPARE(Img(ScanRow, 4), 1);
        QVERIFY(!control<QLineEdit>("Text_prich")->isEnabled());
        QVERIFY(!control<QComboBox>("Combo_BA")->isEnabled());
        QVERIFY(!control<QComboBox>("Combo_BB")->isEnabled());
    }

    void priorityChannelIsOneToSixteen_data()
    {
        QTest::addColumn<bool>("inEnglish");
        QTest::addColumn<QString>("message");
        QTest::newRow("chinese") << false << "优先信道号在 1 - 16 之间 ！";
        QTest::newRow("english") << true << "Priority channel must be between 1 and 16 !";
    }
    void priorityChannelIsOneToSixteen()
    {
        QFETCH(bool, inEnglish);
        QFETCH(QString, message);
        if (inEnglish)
            english();
        Img(ScanRow, 0) = 1;
        Img(ScanRow, 1) = 5;
        open(WindowId::Form_Edit_scan);
        auto *channel = control<QLineEdit>("Text_prich");
        QCOMPARE(channel->text(), QStringLiteral("5"));
        clickInto(channel);
        QTest::keyClick(channel, Qt::Key_Backspace); // refused
        QCOMPARE(channel->text(), QStringLiteral("5"));
        QTest::keyClick(channel, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(channel, Qt::Key_Delete);
        QCOMPARE(Img(ScanRow, 1), 255);
        QTest::keyClicks(channel, "1");
        QCOMPARE(Img(ScanRow, 1), 1);
        QVERIFY(program->messages.texts().isEmpty());
        QTest::keyClicks(channel, "7");
        QCOMPARE(program->messages.texts(), QStringList{message});
        QCOMPARE(channel->text(), QString());
        QCOMPARE(Img(ScanRow, 1), 255);
        QTest::keyClicks(channel, "16x9");
        QCOMPARE(channel->text(), QStringLiteral("16"));
        QCOMPARE(Img(ScanRow, 1), 16);
    }

    void priorityChannelOnlyWhileFixed()
    {
        Img(ScanRow, 0) = 0;
        Img(ScanRow, 1) = 9;
        open(WindowId::Form_Edit_scan);
        auto *channel = control<QLineEdit>("Text_prich");
        QCOMPARE(channel->text(), QString());
        QVERIFY(!channel->isEnabled());
        QCOMPARE(Img(ScanRow, 1), 9);
    }

    void delaysInTwoBytes_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("lowByte");
        QTest::addColumn<int>("seconds");
        QTest::newRow("dropout 300") << "Combo_RYC" << 5 << 300;
        QTest::newRow("dropout 255") << "Combo_RYC" << 5 << 255;
        QTest::newRow("dwell 256") << "Combo_TYC" << 7 << 256;
        QTest::newRow("dwell 0") << "Combo_TYC" << 7 << 0;
    }
    void delaysInTwoBytes()
    {
        QFETCH(QString, list);
        QFETCH(int, lowByte);
        QFETCH(int, seconds);
        Img(ScanRow, lowByte) = 7;
        Img(ScanRow, lowByte + 1) = 7;
        open(WindowId::Form_Edit_scan);
        auto *delay = control<QComboBox>(list.toLatin1());
        QCOMPARE(delay->currentText(), QStringLiteral("300")); // 7 x 256 + 7 lies beyond the list
        chooseItem(delay, seconds);
        QCOMPARE(Img(ScanRow, lowByte), seconds % 256);
        QCOMPARE(Img(ScanRow, lowByte + 1), seconds / 256);
    }

    void typedListTextSelectsItsItem()
    {
        open(WindowId::Form_Edit_scan);
        auto *a = control<QComboBox>("Combo_BA");
        clickInto(a->lineEdit());
        a->lineEdit()->selectAll();
        QTest::keyClicks(a->lineEdit(), "x");
        QCOMPARE(a->currentIndex(), 0);
        QCOMPARE(Img(ScanRow, 2), 0);
        a->setEditText(QStringLiteral("1.0"));
        QTest::keyClicks(a->lineEdit(), "0");
        QCOMPARE(a->currentText(), QStringLiteral("1.00"));
        QCOMPARE(Img(ScanRow, 2), 11);
    }

    void scanSettingsLeaveTheChannelsAlone()
    {
        open(WindowId::Form_Edit_scan);
        chooseItem(control<QComboBox>("Combo_pri"), 1);
        chooseItem(control<QComboBox>("Combo_BA"), 5);
        chooseItem(control<QComboBox>("Combo_RYC"), 30);
        for (int row = FirstChannelRow; row <= LastChannelRow; ++row)
            QCOMPARE(bytes(row, 0, 16), QList<int>(16, 255));
        QCOMPARE(Img(ScanRow, 0), 1);
    }

    // Keys ------------------------------------------------------------------

    void storedKeyCodesShowTheirFunction_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fresh") << 255 << "None";
        QTest::newRow("autodial") << 0 << "Autodial";
        QTest::newRow("code 1") << 1 << "Autodial";
        QTest::newRow("temporary delete") << 11 << "Temporary Delete";
        QTest::newRow("code 12") << 12 << "None";
    }
    void storedKeyCodesShowTheirFunction()
    {
        QFETCH(int, code);
        QFETCH(QString, shown);
        english();
        Img(KeyRow, 13) = code;
        Img(KeyRow, 14) = code;
        open(WindowId::Form_edit_Key);
        QCOMPARE(control<QComboBox>("Combo_pf1")->currentText(), shown);
        QCOMPARE(control<QComboBox>("Combo_pf2")->currentText(), shown);
        QCOMPARE(Img(KeyRow, 13), code);
        QCOMPARE(Img(KeyRow, 14), code);
    }

    void choosingAKeyStoresBoth()
    {
        Img(KeyRow, 13) = 1;
        Img(KeyRow, 14) = 12;
        open(WindowId::Form_edit_Key);
        auto *pf1 = control<QComboBox>("Combo_pf1");
        QCOMPARE(pf1->count(), 12);
        chooseItem(pf1, 1);
        QCOMPARE(Img(KeyRow, 13), 0);
        QCOMPARE(Img(KeyRow, 14), 255); // shown as None, now chosen as None
        chooseItem(control<QComboBox>("Combo_pf2"), 7);
        QCOMPARE(Img(KeyRow, 14), 7);
        open(WindowId::Form_edit_Key);
        QCOMPARE(control<QComboBox>("Combo_pf1")->currentText(), QStringLiteral("自动拨号"));
        QCOMPARE(control<QComboBox>("Combo_pf2")->currentText(), QStringLiteral("扫描 + 暂时删除"));
        QCOMPARE(bytes(17, 0, 16), QList<int>(16, 255));
    }

    // DTMF ----------------------------------------------------------------------

    void dtmfLoadClampsAndWritesBack_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("storedAfter");
        QTest::newRow("pre-time 200") << "Combo_First_delay" << 8 << 200 << "4500" << 89;
        QTest::newRow("pre-time 0") << "Combo_First_delay" << 8 << 0 << "50" << 0;
        QTest::newRow("intervals 0") << "Combo_DTMF_SPACE" << 9 << 0 << "50" << 0;
        QTest::newRow("duration 254") << "Combo_DTMF_DELAY" << 10 << 254 << "6400" << 254;
        QTest::newRow("duration 255") << "Combo_DTMF_DELAY" << 10 << 255 << "6400" << 254;
    }
    void dtmfLoadClampsAndWritesBack()
    {
        QFETCH(QString, list);
        QFETCH(int, byte);
        QFETCH(int, stored);
        QFETCH(QString, shown);
        QFETCH(int, storedAfter);
        Img(DtmfRow, byte) = stored;
        open(WindowId::frm_dtmf);
        QCOMPARE(control<QComboBox>(list.toLatin1())->currentText(), shown);
        QCOMPARE(Img(DtmfRow, byte), storedAfter);
    }

    void dtmfChoicesAndTypedTimes()
    {
        open(WindowId::frm_dtmf);
        auto *space = control<QComboBox>("Combo_DTMF_SPACE");
        QCOMPARE(space->count(), 255);
        QCOMPARE(control<QComboBox>("Combo_First_delay")->count(), 90);
        chooseItem(space, 2);
        QCOMPARE(Img(DtmfRow, 9), 2);
        auto *delay = control<QComboBox>("Combo_DTMF_DELAY");
        clickInto(delay->lineEdit());
        delay->lineEdit()->selectAll();
        QTest::keyClick(delay->lineEdit(), Qt::Key_Delete);
        QCOMPARE(delay->currentIndex(), 0);
        delay->lineEdit()->selectAll();
        QTest::keyClicks(delay->lineEdit(), "75");
        QCOMPARE(delay->currentIndex(), 0); // "7" matches no time
        delay->lineEdit()->selectAll();
        QTest::keyClick(delay->lineEdit(), Qt::Key_Delete);
        delay->setEditText(QStringLiteral("7"));
        QTest::keyClicks(delay->lineEdit(), "5");
        QCOMPARE(delay->currentText(), QStringLiteral("75"));
        QCOMPARE(Img(DtmfRow, 10), 1);
    }

    void sideToneChangesOnlyItsBit()
    {
        Img(GeneralRow, 5) = 0x8D;
        open(WindowId::frm_dtmf);
        auto *tone = control<QCheckBox>("Check_dtmfST");
        QVERIFY(!tone->isChecked());
        QTest::mouseClick(tone, Qt::LeftButton, {}, QPoint(5, tone->height() / 2));
        QCOMPARE(Img(GeneralRow, 5), 0xCD);
        QTest::mouseClick(tone, Qt::LeftButton, {}, QPoint(5, tone->height() / 2));
        QCOMPARE(Img(GeneralRow, 5), 0x8D);
    }

    // Message ---------------------------------------------------------------------

    void messageShowsPrintableBytesOnly()
    {
        const int stored[] = {0x41, 0x20, 0x42, 0xFF, 0x7F};
        for (int j = 0; j < 5; ++j)
            Img(MessageRow, 4 + j) = stored[j];
        open(WindowId::Form_Edit_Message);
        QCOMPARE(control<QLineEdit>("Text_MS1")->text(), QStringLiteral("AB"));
        QCOMPARE(bytes(MessageRow, 4, 5), QList<int>({0x41, 0x20, 0x42, 0xFF, 0x7F}));
    }

    void messageIsStoredBeforeEachKey()
    {
        open(WindowId::Form_Edit_Message);
        auto *text = control<QLineEdit>("Text_MS1");
        clickInto(text);
        QTest::keyClicks(text, "ABC");
        QCOMPARE(bytes(MessageRow, 4, 5), QList<int>({'A', 'B', 255, 255, 255}));
        QKeyEvent chinese(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("中"));
        QApplication::sendEvent(text, &chinese);
        QCOMPARE(text->text(), QStringLiteral("ABC"));
        QCOMPARE(bytes(MessageRow, 4, 5), QList<int>({'A', 'B', 'C', 255, 255}));
        QTest::keyClicks(text, "d!e");
        QCOMPARE(text->text(), QStringLiteral("ABCd!"));
        QCOMPARE(bytes(MessageRow, 4, 5), QList<int>({'A', 'B', 'C', 'd', '!'}));
        QTest::keyClick(text, Qt::Key_Backspace); // refused at five characters
        QCOMPARE(text->text(), QStringLiteral("ABCd!"));

        open(WindowId::Form_Edit_Message);
        QCOMPARE(control<QLineEdit>("Text_MS1")->text(), QStringLiteral("ABCd!"));
        QCOMPARE(bytes(193, 0, 16), QList<int>(16, 255));
    }

    void pastedMessageIsStoredUpToFiveCharacters()
    {
        open(WindowId::Form_Edit_Message);
        auto *text = control<QLineEdit>("Text_MS1");
        clickInto(text);
        QApplication::clipboard()->setText(QStringLiteral("HEL中LOWORLD"));
        if (QApplication::clipboard()->text().isEmpty())
            QSKIP("no clipboard on this platform");
        // Pasted as typed: the sixth character is refused and stores the five.
        QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(text->text(), QStringLiteral("HELLO"));
        QCOMPARE(bytes(MessageRow, 4, 5), QList<int>({'H', 'E', 'L', 'L', 'O'}));
        QTest::keyClicks(text, "X");
        QCOMPARE(text->text(), QStringLiteral("HELLO"));
        QCOMPARE(bytes(MessageRow, 4, 5), QList<int>({'H', 'E', 'L', 'L', 'O'}));
    }

    // FM presets -------------------------------------------------------------------

    void presetsShowTheirFrequency()
    {
        Img(FmPresetRow, 0) = 110;
        Img(FmPresetRow, 1) = 211;
        Img(FmPresetRow, 2) = 0;
        open(WindowId::Form_Edit_Test);
        auto *grid = control<QTableWidget>("MSF_chann");
        QCOMPARE(grid->rowCount(), 16);
        QCOMPARE(grid->item(15, 0)->text(), QStringLiteral("15"));
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("98.0"));
        QCOMPARE(grid->item(1, 1)->text(), QString());
        QCOMPARE(grid->item(2, 1)->text(), QStringLiteral("87.0"));
        QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("    频      率  (MHZ) "));
        // All sixteen at once, with no scroll bar.
        QApplication::processEvents();
        QVERIFY(!grid->verticalScrollBar()->isVisible());
    }

    void presetEntries_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("message");
        QTest::newRow("98") << "98" << "98.0" << 110 << false;
        QTest::newRow("108") << "108" << "108.0" << 210 << false;
        QTest::newRow("108.1 is outside") << "108.1" << "87" << 0 << true;
        QTest::newRow("98.15") << "98.15" << "98.15" << 111 << false;
        QTest::newRow("98.1") << "98.1" << "98.1" << 111 << false;
        QTest::newRow("not a number") << "abc" << "87" << 0 << true;
        QTest::newRow("emptied") << "" << "" << 255 << false;
    }
    void presetEntries()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, code);
        QFETCH(bool, message);
        english();
        Img(FmPresetRow, 3) = 50;
        open(WindowId::Form_Edit_Test);
        auto *grid = control<QTableWidget>("MSF_chann");
        auto *editor = control<QLineEdit>("Text_Edit");
        clickPreset(grid, 3);
        QVERIFY(editor->isVisible());
        QVERIFY(editor->hasFocus());
        const QRect cell = grid->visualRect(grid->model()->index(3, 1));
        QCOMPARE(editor->geometry(), QRect(grid->viewport()->mapTo(window, cell.topLeft()), cell.size()));
        QCOMPARE(editor->text(), QStringLiteral("92.0"));
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, typed);
        clickPreset(grid, 5);
        QCOMPARE(grid->item(3, 1)->text(), shown);
        QCOMPARE(Img(FmPresetRow, 3), code);
        QCOMPARE(program->messages.texts(),
                 message ? QStringList{"Over the range of FM frequency ."} : QStringList{});
    }

    void sixthCharacterClearsThePreset()
    {
        Img(FmPresetRow, 0) = 110;
        open(WindowId::Form_Edit_Test);
        auto *grid = control<QTableWidget>("MSF_chann");
        auto *editor = control<QLineEdit>("Text_Edit");
        clickPreset(grid, 0);
        QTest::keyClicks(editor, "1");
        QCOMPARE(Img(FmPresetRow, 0), 110);
        QTest::keyClicks(editor, "2");
        QCOMPARE(program->messages.texts(), QStringList{"收音机频率超出范围 ！"});
        QCOMPARE(editor->text(), QString());
        QCOMPARE(grid->item(0, 1)->text(), QString());
        QCOMPARE(Img(FmPresetRow, 0), 255);
    }

    void movingThroughTheGridKeepsThePresets()
    {
        Img(FmPresetRow, 0) = 110;
        Img(FmPresetRow, 1) = 120;
        open(WindowId::Form_Edit_Test);
        auto *grid = control<QTableWidget>("MSF_chann");
        clickPreset(grid, 0, 0);
        QTest::keyClick(grid, Qt::Key_Right);
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Down);
        clickInto(control<QPushButton>("Command_help"));
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("98.0"));
        QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("99.0"));
        QCOMPARE(bytes(FmPresetRow, 0, 3), QList<int>({110, 120, 255}));
    }
};

QTEST_MAIN(TestSettingsWindows)
#include "tst_settings_windows.moc"
