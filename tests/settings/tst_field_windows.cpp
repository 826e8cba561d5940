// The field catalogue against the windows: a field written through the
// catalogue changes exactly the bytes that its window changes, and a stored
// value reads as its window shows it. Each settings control is bound to one
// setting id.
#include "fields/FieldTestSupport.h"
#include "support/TestImage.h"
#include "settings/SettingsTestSupport.h"

#include "channels/frm_chann.h"
#include "core/SettingPlaces.h"
#include "fields/FieldReport.h"
#include "platform/ChildWindow.h"
#include "platform/WindowLanguage.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

namespace {

// "row:byte=value" pokes a byte; "id=text" writes a field.
void prepareImage(const QStringList &steps)
{
    Codeplug image = Document();
    for (const QString &step : steps) {
        const QString target = step.section('=', 0, 0), value = step.section('=', 1);
        if (target.contains(':'))
            image.at(target.section(':', 0, 0).toInt(), target.section(':', 1).toInt()) = quint8(value.toInt());
        else if (!write(image, target, value).isEmpty())
            qFatal("setup %s refused", qPrintable(step));
    }
    Document() = image;
}

} // namespace

class TestFieldWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<StartedProgram> program;
    ChildWindow *window = nullptr;

    void open(WindowId id)
    {
        window = program->registry().reopen(id);
        QVERIFY(window);
        activate(program->main.get());
    }
    template <typename T> T *control(const QString &name) { return ::control<T>(window, qPrintable(name)); }

    void gridCell(int row, int column)
    {
        auto *table = control<QTableView>("MSF_chann");
        const QModelIndex item = table->model()->index(row - 1, column);
        table->scrollTo(item);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(item).center());
    }

    // Does to the window what a person does: kind "list" chooses item
    // `argument` of a list, "check" clicks a box, "type" types into a box
    // and leaves it, "keys" only types, "cell" types into grid cell
    // row.column and presses Enter, "cellList" chooses an item in one.
    void act(const QString &kind, const QString &name, const QString &argument)
    {
        if (kind == "list") {
            chooseItem(control<QComboBox>(name), argument.toInt());
        } else if (kind == "check") {
            auto *box = control<QAbstractButton>(name);
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        } else if (kind == "type") {
            // Selected text is not typed over: the boxes count what they hold.
            auto *box = control<QLineEdit>(name);
            clickInto(box);
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Backspace);
            QTest::keyClicks(box, argument);
            clickInto(control<QPushButton>("Command_help"));
        } else if (kind == "preset") {
            auto *grid = control<QTableView>("MSF_chann");
            const auto click = [grid](int preset) {
                const QRect cell = grid->visualRect(grid->model()->index(preset, 1));
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
                QApplication::processEvents();
            };
            click(name.toInt());
            QTest::keyClicks(control<QLineEdit>("Text_Edit"), argument);
            click(name.toInt() + 1);
        } else if (kind == "keys") {
            clickInto(control<QLineEdit>(name));
            QTest::keyClicks(control<QLineEdit>(name), argument);
        } else {
            gridCell(name.section('.', 0, 0).toInt(), name.section('.', 1).toInt());
            if (kind == "cell") {
                auto *edit = control<QLineEdit>("Text_Edit");
                edit->selectAll();
                QTest::keyClicks(edit, argument);
                QTest::keyClick(edit, Qt::Key_Return);
            } else {
                clickListItem(control<QComboBox>("Combo_edit"), argument.toInt());
            }
        }
        QApplication::processEvents();
    }

private slots:
    void init() { program = std::make_unique<StartedProgram>(); }
    void cleanup() { program.reset(); }

    void catalogueTouchesTheBytesItsWindowTouches_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        const int option = int(WindowId::frm_option);
        const QStringList none;
        const QStringList channel3{"channel.3.receive=438.5"};
        QTest::newRow("time-out") << option << none << "list" << "Combo_TOT" << "3" << "option.time_out" << "3";
        QTest::newRow("squelch") << option << none << "list" << "Combo_Sql" << "7" << "option.squelch" << "7";
        QTest::newRow("vox level") << option << none << "list" << "Combo_VOX_lever" << "2" << "option.vox_level" << "2";
        QTest::newRow("back light") << option << none << "list" << "Combo_Lamp" << "2" << "option.back_light" << "Cont";
        QTest::newRow("display") << option << none << "list" << "Combo_Mdf" << "1" << "option.channel_display" << "Name";
        QTest::newRow("scan way") << option << none << "list" << "Combo_Scan" << "2" << "option.scan_way" << "CO";
        QTest::newRow("ptt-id") << option << none << "list" << "Combo_Pttid" << "3" << "option.ptt_id" << "BOTH";
        QTest::newRow("save") << option << none << "check" << "Check_Save" << "" << "option.power_save" << "Off";
        QTest::newRow("beep") << option << none << "check" << "Check_Beep" << "" << "option.beep" << "Off";
        QTest::newRow("menu") << option << none << "check" << "Check_Menu" << "" << "option.manual_setup" << "Off";
        QTest::newRow("stop code") << option << none << "check" << "Check_Pttoff_Code" << "" << "option.send_stop_code"
                                   << "Off";
        QTest::newRow("only channel") << option << none << "check" << "Check_Only_Chann" << "" << "option.only_channel"
                                      << "On";
        QTest::newRow("work mode") << option << none << "check" << "Option_chann" << "" << "option.work_mode"
                                   << "Channel";
        QTest::newRow("priority scan") << option << channel3 << "check" << "Check_Pri" << "" << "option.priority_scan"
                                       << "On";
        QTest::newRow("dtmf code") << option << none << "type" << "Text_DTMF_Code" << "1a2B" << "option.dtmf_code"
                                   << "1A2B";
        QTest::newRow("step") << option << none << "list" << "Combo_Step" << "4" << "vfo.step" << "20.00K";
        QTest::newRow("vfo bandwidth") << option << none << "list" << "Combo_WN" << "0" << "vfo.bandwidth" << "Narrow";
        QTest::newRow("vfo power") << option << none << "list" << "Combo_TXP" << "0" << "vfo.power" << "Low";
        QTest::newRow("vfo decode") << option << none << "list" << "Combo_Decode" << "155" << "vfo.decode" << "D023I";
        QTest::newRow("vfo shift") << option << none << "list" << "Combo_Sft_d" << "1" << "vfo.direction" << "Plus";
        QTest::newRow("vfo receive") << option << none << "type" << "Text_RX_Freq" << "438.5" << "vfo.receive"
                                     << "438.5";
        QTest::newRow("vfo offset") << option << none << "type" << "Text_Offset_Freq" << "5" << "vfo.offset" << "5";
        QTest::newRow("upper limit") << option << none << "type" << "Text_pvfo_d1" << "465" << "range.high" << "465";
        QTest::newRow("lower limit") << option << none << "type" << "Text_pvfo_d0" << "410" << "range.low" << "410";

        const int dtmf = int(WindowId::frm_dtmf);
        QTest::newRow("pre-time") << dtmf << none << "list" << "Combo_First_delay" << "3" << "dtmf.pre_time" << "200";
        QTest::newRow("interval") << dtmf << none << "list" << "Combo_DTMF_SPACE" << "1" << "dtmf.interval" << "75";
        QTest::newRow("duration") << dtmf << none << "list" << "Combo_DTMF_DELAY" << "254" << "dtmf.duration" << "6400";
        QTest::newRow("side tone") << dtmf << none << "check" << "Check_dtmfST" << "" << "dtmf.side_tone" << "Off";

        const int keys = int(WindowId::Form_edit_Key);
        QTest::newRow("pf1") << keys << none << "list" << "Combo_pf1" << "1" << "key.pf1" << "Autodial";
        QTest::newRow("pf2") << keys << none << "list" << "Combo_pf2" << "11" << "key.pf2" << "Temporary Delete";

        const int scan = int(WindowId::Form_Edit_scan);
        const QStringList fixed{"240:0=1"};
        QTest::newRow("priority kind") << scan << none << "list" << "Combo_pri" << "1" << "scan.priority" << "Fixed";
        QTest::newRow("look back a") << scan << fixed << "list" << "Combo_BA" << "1" << "scan.look_back_a" << "0.55";
        QTest::newRow("look back b") << scan << fixed << "list" << "Combo_BB" << "90" << "scan.look_back_b" << "5.00";
        // Values other than the ones shown: a shown text changes nothing in
        // the catalogue.
        QTest::newRow("revert") << scan << fixed << "list" << "Combo_BC" << "2" << "scan.revert" << "Priority";
        QTest::newRow("dropout") << scan << none << "list" << "Combo_RYC" << "12" << "scan.dropout_delay" << "12";
        QTest::newRow("dwell") << scan << none << "list" << "Combo_TYC" << "7" << "scan.tx_dwell" << "7";
        QTest::newRow("priority channel") << scan << fixed << "keys" << "Text_prich" << "7" << "scan.priority_channel"
                                          << "7";

        QTest::newRow("fm preset") << int(WindowId::Form_Edit_Test) << none << "preset" << "3" << "98.1" << "fm.3"
                                   << "98.1";
        QTest::newRow("vfo encode") << option << none << "list" << "Combo_Encode" << "258" << "vfo.encode" << "D754I";

        // The message is stored as it was before the last key.
        QTest::newRow("message") << int(WindowId::Form_Edit_Message) << none << "keys" << "Text_MS1" << "ABC"
                                 << "message" << "AB";

        const int grid = int(WindowId::frm_chann);
        QTest::newRow("grid receive") << grid << none << "cell" << "4.1" << "438.0125" << "channel.4.receive"
                                      << "438.0125";
        QTest::newRow("grid transmit") << grid << channel3 << "cell" << "3.2" << "433.5" << "channel.3.transmit"
                                       << "433.5";
        QTest::newRow("grid decode") << grid << channel3 << "cellList" << "3.3" << "200" << "channel.3.decode"
                                     << "D261I";
        QTest::newRow("grid power") << grid << channel3 << "cellList" << "3.5" << "0" << "channel.3.power" << "Low";
        QTest::newRow("grid bandwidth") << grid << channel3 << "cellList" << "3.6" << "0" << "channel.3.bandwidth"
                                        << "Narrow";
        QTest::newRow("grid name") << grid << channel3 << "cell" << "3.7" << "ab-1" << "channel.3.name" << "AB-1";

        const int editor = int(WindowId::Form_Chann_Edit);
        QTest::newRow("editor vox") << editor << channel3 << "check" << "Check_VOX" << "" << "channel.3.editor.vox"
                                    << "Off";
        QTest::newRow("editor receive") << editor << channel3 << "type" << "Text_RX_Freq" << "439.0125"
                                        << "channel.3.editor.receive" << "439.0125";
        QTest::newRow("editor new channel") << editor << none << "type" << "Text_RX_Freq" << "439"
                                            << "channel.3.editor.receive" << "439";
        QTest::newRow("editor transmit") << editor << channel3 << "type" << "Text_TX_Freq" << "433.5"
                                         << "channel.3.editor.transmit" << "433.5";
        QTest::newRow("editor name") << editor << channel3 << "keys" << "Text_Name" << "ab" << "channel.3.editor.name"
                                     << "AB";
        QTest::newRow("editor bcl") << editor << channel3 << "check" << "Check_Bcl" << "" << "channel.3.editor.bcl"
                                    << "Off";
        QTest::newRow("editor tx stop") << editor << channel3 << "check" << "Check_TxStop" << ""
                                        << "channel.3.editor.tx_stop" << "Off";
        QTest::newRow("editor scan") << editor << channel3 << "check" << "Check_Scan" << ""
                                     << "channel.3.editor.scan_add" << "On";
        QTest::newRow("editor power") << editor << channel3 << "list" << "Combo_TXP" << "1" << "channel.3.editor.power"
                                      << "Middle";
        QTest::newRow("editor bandwidth") << editor << channel3 << "list" << "Combo_WN" << "0"
                                          << "channel.3.editor.bandwidth" << "Wide";
        QTest::newRow("editor decode") << editor << channel3 << "list" << "Combo_Decode" << "60"
                                       << "channel.3.editor.decode" << "D053N";
    }
    void catalogueTouchesTheBytesItsWindowTouches()
    {
        QFETCH(int, id);
        QFETCH(QStringList, setup);
        QFETCH(QString, kind);
        QFETCH(QString, control);
        QFETCH(QString, argument);
        QFETCH(QString, field);
        QFETCH(QString, text);
        prepareImage(setup);
        testDocument().setCurrentChannel(3);
        open(WindowId(id));
        const Codeplug before = Document();
        act(kind, control, argument);
        const Codeplug byWindow = Document();
        QVERIFY2(byWindow != before, "the window changed nothing");
        Codeplug byCatalogue = before;
        QCOMPARE(write(byCatalogue, field, text), QString());
        QVERIFY2(byCatalogue == byWindow,
                 qPrintable(diffCodeplugs(byWindow, byCatalogue).lines.join(QLatin1String("; "))));
    }

    // Each control stands for one setting: what a person sets in it is the
    // setting's value, as one undo step, and a value stored elsewhere is
    // what it shows.
    void controlsAreBoundToTheirSettings_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("setting");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("other");
        const auto row = [](const char *name, WindowId window, const QStringList &setup, const char *kind,
                            const char *control, SettingId setting, int value, int other) {
            QTest::newRow(name) << int(window) << setup << kind << control << int(setting) << value << other;
        };
        const WindowId option = WindowId::frm_option;
        const QStringList none;
        const QStringList channel3{"channel.3.receive=438.5"};
        row("time-out", option, none, "list", "Combo_TOT", SettingId::TimeOut, 3, 1);
        row("squelch", option, none, "list", "Combo_Sql", SettingId::Squelch, 7, 2);
        row("vox level", option, none, "list", "Combo_VOX_lever", SettingId::VoxLevel, 2, 1);
        row("back light", option, none, "list", "Combo_Lamp", SettingId::BackLight, 2, 1);
        row("display", option, none, "list", "Combo_Mdf", SettingId::ChannelDisplay, 1, 0);
        row("scan way", option, none, "list", "Combo_Scan", SettingId::ScanWay, 2, 1);
        row("ptt-id", option, none, "list", "Combo_Pttid", SettingId::PttId, 3, 1);
        row("save", option, none, "check", "Check_Save", SettingId::PowerSave, 0, 1);
        row("beep", option, none, "check", "Check_Beep", SettingId::Beep, 0, 1);
        row("menu", option, none, "check", "Check_Menu", SettingId::ManualSetup, 0, 1);
        row("stop code", option, none, "check", "Check_Pttoff_Code", SettingId::SendStopCode, 0, 1);
        row("only channel", option, none, "check", "Check_Only_Chann", SettingId::OnlyChannel, 1, 0);
        row("work mode", option, none, "check", "Option_chann", SettingId::WorkMode, 1, 0);
        row("priority scan", option, channel3, "check", "Check_Pri", SettingId::PriorityScan, 1, 0);
        row("step", option, none, "list", "Combo_Step", SettingId::VfoStep, 4, 2);
        row("vfo shift", option, none, "list", "Combo_Sft_d", SettingId::VfoDirection, 1, 0);
        row("vfo bandwidth", option, none, "list", "Combo_WN", SettingId::VfoBandwidth, 0, 1);
        row("vfo power", option, none, "list", "Combo_TXP", SettingId::VfoPower, 0, 1);

        const WindowId dtmf = WindowId::frm_dtmf;
        row("pre-time", dtmf, none, "list", "Combo_First_delay", SettingId::DtmfPreTime, 3, 1);
        row("interval", dtmf, none, "list", "Combo_DTMF_SPACE", SettingId::DtmfInterval, 1, 4);
        row("duration", dtmf, none, "list", "Combo_DTMF_DELAY", SettingId::DtmfDuration, 254, 9);
        row("side tone", dtmf, none, "check", "Check_dtmfST", SettingId::DtmfSideTone, 0, 1);

        const WindowId keys = WindowId::Form_edit_Key;
        row("pf1", keys, none, "list", "Combo_pf1", SettingId::Pf1, 1, 3);
        row("pf2", keys, none, "list", "Combo_pf2", SettingId::Pf2, 11, 2);

        const WindowId scan = WindowId::Form_Edit_scan;
        const QStringList fixed{"240:0=1"};
        row("priority kind", scan, none, "list", "Combo_pri", SettingId::ScanPriority, 1, 2);
        // Two keys typed are one step.
        row("priority channel", scan, fixed, "keys", "Text_prich", SettingId::ScanPriorityChannel, 12, 7);
        row("look back a", scan, fixed, "list", "Combo_BA", SettingId::LookBackA, 1, 5);
        row("look back b", scan, fixed, "list", "Combo_BB", SettingId::LookBackB, 90, 3);
        row("revert", scan, fixed, "list", "Combo_BC", SettingId::Revert, 2, 1);
        row("dropout", scan, none, "list", "Combo_RYC", SettingId::DropoutDelay, 12, 300);
        row("dwell", scan, none, "list", "Combo_TYC", SettingId::TxDwell, 7, 40);
    }
    void controlsAreBoundToTheirSettings()
    {
        QFETCH(int, id);
        QFETCH(QStringList, setup);
        QFETCH(QString, kind);
        QFETCH(QString, control);
        QFETCH(int, setting);
        QFETCH(int, value);
        QFETCH(int, other);
        prepareImage(setup);
        open(WindowId(id));
        const Codeplug before = testDocument().image();
        act(kind, control, QString::number(value));
        const Codeplug after = testDocument().image();
        QCOMPARE(settingValue(after, SettingId(setting)), value);
        testDocument().undo();
        QVERIFY2(testDocument().image() == before, "the change is not one undo step");
        testDocument().redo();
        QVERIFY(testDocument().image() == after);

        bool stored = false;
        testDocument().edit(testEditLabel(),
                            [&](Codeplug &image) { stored = setSetting(image, SettingId(setting), other); });
        QVERIFY(stored);
        QApplication::processEvents();
        auto *shown = window->findChild<QWidget *>(control);
        if (auto *list = qobject_cast<QComboBox *>(shown))
            QCOMPARE(list->currentIndex(), other);
        else if (auto *box = qobject_cast<QAbstractButton *>(shown))
            QCOMPARE(int(box->isChecked()), other);
        else
            QCOMPARE(qobject_cast<QLineEdit *>(shown)->text(), QString::number(other));
    }

    // Stored bytes just past a field's last value, in the window and
    // through the catalogue.
    void pastTheLastValueReadsAsTheWindowShowsIt_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shown");
        const int option = int(WindowId::frm_option);
        QTest::newRow("priority channel 200") << option << QStringList{"252:6=8", "252:8=200"} << "Combo_Pri_ch"
                                              << "option.priority_channel" << "128";
        QTest::newRow("time-out 9") << option << QStringList{"252:4=9"} << "Combo_TOT" << "option.time_out" << "7";
        QTest::newRow("upper limit 465") << option << QStringList{"250:2=80", "250:3=70"} << "Text_pvfo_d1"
                                         << "range.high" << "465";
        QTest::newRow("fm code 210") << int(WindowId::Form_Edit_Test) << QStringList{"253:3=210"} << "4"
                                     << "fm.3" << "108.0";
        QTest::newRow("fm code 211") << int(WindowId::Form_Edit_Test) << QStringList{"253:3=211"} << "4"
                                     << "fm.3" << "";
        QTest::newRow("look back 200") << int(WindowId::Form_Edit_scan) << QStringList{"240:0=1", "240:2=200"}
                                       << "Combo_BA" << "scan.look_back_a" << "4.95";
        QTest::newRow("key code 12") << int(WindowId::Form_edit_Key) << QStringList{"240:13=12"} << "Combo_pf1"
                                     << "key.pf1" << "None";
    }
    void pastTheLastValueReadsAsTheWindowShowsIt()
    {
        QFETCH(int, id);
        QFETCH(QStringList, setup);
        QFETCH(QString, control);
        QFETCH(QString, field);
        QFETCH(QString, shown);
        program->main->menuItem("Language_eng")->trigger();
        prepareImage(setup);
        const Codeplug image = Document();
        open(WindowId(id));
        QString inWindow;
        if (auto *list = window->findChild<QComboBox *>(control))
            inWindow = list->currentText();
        else if (auto *box = window->findChild<QLineEdit *>(control))
            inWindow = box->text();
        else
            inWindow = this->control<QTableView>("MSF_chann")->model()->index(control.toInt() - 1, 1).data().toString();
        QCOMPARE(inWindow, shown);
        QCOMPARE(read(image, field), shown);
    }

    // The catalogue refuses in the language it is given, whichever language
    // the windows show, and leaves theirs as it was.
    void catalogueRefusesInTheLanguageItIsGiven_data()
    {
        QTest::addColumn<QString>("menu"); // the windows' language
        QTest::addColumn<bool>("chinese"); // the language given
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("English given, windows Chinese") << "Language_chn" << false << "vfo.receive"
                                                        << "\"x\" is not a frequency";
        QTest::newRow("Chinese given, windows English") << "Language_eng" << true << "vfo.receive" << "“x”不是频率";
        QTest::newRow("list in English, windows Chinese") << "Language_chn" << false << "vfo.power"
                                                          << "\"x\" is not one of: Low, High";
        QTest::newRow("list in Chinese, windows English") << "Language_eng" << true << "vfo.power"
                                                          << "“x”不是以下之一：低功率、高功率";
    }
    void catalogueRefusesInTheLanguageItIsGiven()
    {
        QFETCH(QString, menu);
        QFETCH(bool, chinese);
        QFETCH(QString, field);
        QFETCH(QString, refusal);
        program->main->menuItem(menu)->trigger();
        const Language windows = windowLanguage();
        Codeplug image = Document();
        QCOMPARE(writeField(image, ::field(field), "x", chinese ? Language::Chinese : Language::English), refusal);
        QCOMPARE(windowLanguage(), windows);
        QCOMPARE(windows, menu == "Language_chn" ? Language::Chinese : Language::English);
    }
};

QTEST_MAIN(TestFieldWindows)
#include "tst_field_windows.moc"
