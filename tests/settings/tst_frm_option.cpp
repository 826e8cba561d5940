// The optional-features window: general settings, frequency mode and
// working range, driven through its controls.
#include "SettingsTestSupport.h"

#include "core/Frequency.h"
#include "core/NumberText.h"
#include "support/TestImage.h"
#include "platform/ChildWindow.h"

#include <QCheckBox>
#include <QClipboard>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>

using namespace Region;

class TestOptionWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<StartedProgram> program;
    ChildWindow *window = nullptr;

    template <typename T> T *control(const char *name) { return ::control<T>(window, name); }
    void open()
    {
        window = program->registry().reopen(WindowId::frm_option);
        QVERIFY(window);
        activate(program->main.get());
    }
    // Another window takes the front, then this one again.
    void reactivate()
    {
        QMdiArea *area = program->registry().mdiArea();
        auto *sub = qobject_cast<QMdiSubWindow *>(window->parentWidget());
        program->registry().reopen(WindowId::frm_dtmf);
        area->setActiveSubWindow(sub);
        QApplication::processEvents();
    }
    void useChannel(int n, quint8 mhzHigh)
    {
        const int bytes[4] = {0x00, 0x00, 0x00, mhzHigh};
        for (int b = 0; b < 4; ++b)
            Img(n, b) = bytes[b];
    }
    QStringList items(QComboBox *list)
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->itemText(i);
        return texts;
    }
    void clearBox(QLineEdit *box)
    {
        clickInto(box);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Delete);
    }
    void retype(QLineEdit *box, const QString &text)
    {
        clearBox(box);
        QTest::keyClicks(box, text);
    }
    QList<int> bytes(int row, int first, int count)
    {
        QList<int> values;
        for (int b = first; b < first + count; ++b)
            values << Img(row, b);
        return values;
    }

private slots:
    void init()
    {
        program = std::make_unique<StartedProgram>();
        open();
    }
    void cleanup()
    {
        window = nullptr;
        program.reset();
    }

    void listChoiceChangesOnlyItsBits_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("expected");
        QTest::newRow("time-out") << "Combo_TOT" << 3 << 4 << 0xFF << 3;
        QTest::newRow("squelch") << "Combo_Sql" << 9 << 2 << 0xFF << 9;
        QTest::newRow("vox off") << "Combo_VOX_lever" << 0 << 3 << 0xFF << 0;
        QTest::newRow("back light key") << "Combo_Lamp" << 1 << 6 << 0xC0 << 0x40;
        QTest::newRow("scan CO") << "Combo_Scan" << 2 << 6 << 0x30 << 0x20;
        QTest::newRow("ptt-id both") << "Combo_Pttid" << 3 << 6 << 0x03 << 0x03;
        QTest::newRow("display name") << "Combo_Mdf" << 1 << 5 << 0x10 << 0x10;
        QTest::newRow("step 12.5") << "Combo_Step" << 3 << 9 << 0xFF << 3;
    }
    void listChoiceChangesOnlyItsBits()
    {
        QFETCH(QString, list);
        QFETCH(int, index);
        QFETCH(int, byte);
        QFETCH(int, mask);
        QFETCH(int, expected);
        // Neighbouring bits set in a pattern the handler must keep.
        const int before = (0xA5 & ~mask) | (~expected & mask & 0x01);
        Img(GeneralRow, byte) = before;
        open();
        chooseItem(control<QComboBox>(list.toLatin1()), index);
        QCOMPARE(Img(GeneralRow, byte) & mask, expected);
        QCOMPARE(Img(GeneralRow, byte) & ~mask & 0xFF, before & ~mask & 0xFF);
    }

    void checkBoxStoresItsBit_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("bit");
        QTest::addColumn<bool>("storedWhenChecked");
        QTest::newRow("save") << "Check_Save" << 5 << 7 << true;
        QTest::newRow("beep") << "Check_Beep" << 5 << 3 << true;
        QTest::newRow("manual set-up") << "Check_Menu" << 12 << 4 << false;
        QTest::newRow("stop code") << "Check_Pttoff_Code" << 12 << 5 << false;
    }
    void checkBoxStoresItsBit()
    {
        QFETCH(QString, box);
        QFETCH(int, byte);
        QFETCH(int, bit);
        QFETCH(bool, storedWhenChecked);
        Img(GeneralRow, byte) = 0x5A & ~(1 << bit);
        const int others = Img(GeneralRow, byte);
        open();
        auto *check = control<QCheckBox>(box.toLatin1());
        QCOMPARE(check->isChecked(), !storedWhenChecked);
        for (int round = 0; round < 2; ++round) {
            QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
            const bool bitValue = (Img(GeneralRow, byte) >> bit) & 1;
            QCOMPARE(bitValue, check->isChecked() == storedWhenChecked);
            QCOMPARE(Img(GeneralRow, byte) & ~(1 << bit), others);
        }
    }

    void storedValueBeyondListShowsLastItemAndStays()
    {
        Img(GeneralRow, 4) = 9;
        Img(GeneralRow, 2) = 20;
        Img(VfoRow, 10) = 0xC3; // direction 3
        Img(GeneralRow, 9) = 8;
        open();
        reactivate();
        QCOMPARE(control<QComboBox>("Combo_TOT")->currentText(), QStringLiteral("7"));
        QCOMPARE(control<QComboBox>("Combo_Sql")->currentText(), QStringLiteral("9"));
        QCOMPARE(control<QComboBox>("Combo_Sft_d")->currentIndex(), 2);
        QCOMPARE(control<QComboBox>("Combo_Step")->currentText(), QStringLiteral("25.00K"));
        QCOMPARE(Img(GeneralRow, 4), 9);
        QCOMPARE(Img(GeneralRow, 2), 20);
        QCOMPARE(Img(VfoRow, 10), 0xC3);
        QCOMPARE(Img(GeneralRow, 9), 8);
    }

    void typedKeysDoNotChangeAList()
    {
        auto *list = control<QComboBox>("Combo_TOT");
        list->setFocus();
        QTest::keyClicks(list, "5");
        QCOMPARE(list->currentIndex(), 0);
        QCOMPARE(Img(GeneralRow, 4), 0);
    }

    void reactivationShowsTheImage()
    {
        Img(GeneralRow, 3) = 4;
        Img(DtmfRow, 0) = 9;
        reactivate();
        QCOMPARE(control<QComboBox>("Combo_VOX_lever")->currentText(), QStringLiteral("4"));
        QCOMPARE(control<QLineEdit>("Text_DTMF_Code")->text(), QStringLiteral("9"));
    }

    void onlyChannelModeFixesTheWorkMode()
    {
        Img(GeneralRow, 5) = 0xC8; // frequency mode, only-channel off
        open();
        auto *only = control<QCheckBox>("Check_Only_Chann");
        auto *channel = control<QRadioButton>("Option_chann");
        auto *frequency = control<QRadioButton>("Option_freq");
        QVERIFY(frequency->isChecked());

        QTest::mouseClick(only, Qt::LeftButton, {}, QPoint(5, only->height() / 2));
        QVERIFY(channel->isChecked());
        QVERIFY(!channel->isEnabled() && !frequency->isEnabled());
        QCOMPARE(Img(GeneralRow, 5), 0xC8 | 0x21);

        QTest::mouseClick(only, Qt::LeftButton, {}, QPoint(5, only->height() / 2));
        QVERIFY(channel->isChecked());
        QVERIFY(channel->isEnabled() && frequency->isEnabled());
        QCOMPARE(Img(GeneralRow, 5), 0xC8 | 0x01);

        QTest::mouseClick(frequency, Qt::LeftButton, {}, QPoint(5, frequency->height() / 2));
        QCOMPARE(Img(GeneralRow, 5), 0xC8);

        Img(GeneralRow, 5) = 0x20; // stored: frequency mode under only-channel
        reactivate();
        QVERIFY(channel->isChecked() && !channel->isEnabled());
        QCOMPARE(Img(GeneralRow, 5), 0x20);
    }

    void priorityScanWithoutChannelsChangesNothing()
    {
        const QList<int> before = bytes(GeneralRow, 0, 16);
        auto *pri = control<QCheckBox>("Check_Pri");
        QTest::mouseClick(pri, Qt::LeftButton, {}, QPoint(5, pri->height() / 2));
        QVERIFY(!pri->isChecked());
        QVERIFY(!control<QComboBox>("Combo_Pri_ch")->isEnabled());
        QCOMPARE(bytes(GeneralRow, 0, 16), before);
    }

    void priorityScanTurnsOffWithoutChannels()
    {
        Img(GeneralRow, 6) |= 0x08;
        Img(GeneralRow, 8) = 12;
        open();
        auto *pri = control<QCheckBox>("Check_Pri");
        QVERIFY(pri->isChecked());
        QCOMPARE(control<QComboBox>("Combo_Pri_ch")->currentText(), QStringLiteral("12"));
        QTest::mouseClick(pri, Qt::LeftButton, {}, QPoint(5, pri->height() / 2));
        QVERIFY(!pri->isChecked());
        QVERIFY(!(Img(GeneralRow, 6) & 0x08));
        QVERIFY(!control<QComboBox>("Combo_Pri_ch")->isEnabled());
        reactivate();
        QVERIFY(!pri->isChecked());
    }

    void priorityScanListsTheChannelsInUse()
    {
        useChannel(3, 0x43);
        useChannel(7, 0x44);
        Img(8, 0) = 0x10; // a channel with only part of its frequency is not in use
        open();
        auto *pri = control<QCheckBox>("Check_Pri");
        auto *list = control<QComboBox>("Combo_Pri_ch");
        QTest::mouseClick(pri, Qt::LeftButton, {}, QPoint(5, pri->height() / 2));
        QVERIFY(pri->isChecked() && list->isEnabled());
        QCOMPARE(items(list), QStringList({"3", "7"}));
        QCOMPARE(list->currentText(), QStringLiteral("3"));
        QCOMPARE(Img(GeneralRow, 8), 3);
        QVERIFY(Img(GeneralRow, 6) & 0x08);

        // Reloading the short list selects the stored channel's entry.
        chooseItem(list, 1);
        QCOMPARE(Img(GeneralRow, 8), 7);
        reactivate();
        QCOMPARE(list->currentText(), QStringLiteral("7"));

        open();
        list = control<QComboBox>("Combo_Pri_ch");
        QCOMPARE(list->count(), 128);
        QCOMPARE(list->currentText(), QStringLiteral("7"));

        pri = control<QCheckBox>("Check_Pri");
        QTest::mouseClick(pri, Qt::LeftButton, {}, QPoint(5, pri->height() / 2));
        QVERIFY(!(Img(GeneralRow, 6) & 0x08));
        QVERIFY(!list->isEnabled());
        QCOMPARE(Img(GeneralRow, 8), 7);
    }

    void dtmfCodeTakesHexDigitsInUpperCase()
    {
        Img(DtmfRow, 8) = 0x33;
        auto *code = control<QLineEdit>("Text_DTMF_Code");
        clickInto(code);
        QTest::keyClicks(code, "1a2b");
        QCOMPARE(code->text(), QStringLiteral("1A2B"));
        QCOMPARE(bytes(DtmfRow, 0, 8), QList<int>({1, 10, 2, 11, 255, 255, 255, 255}));

        QTest::keyClicks(code, "g-F 3456");
        QCOMPARE(code->text(), QStringLiteral("1A2BF345"));
        QCOMPARE(bytes(DtmfRow, 0, 8), QList<int>({1, 10, 2, 11, 15, 3, 4, 5}));
        QTest::keyClick(code, Qt::Key_Backspace);
        QCOMPARE(Img(DtmfRow, 7), 255);
        QCOMPARE(Img(DtmfRow, 8), 0x33);
    }

    void pastedDtmfCodeIsCutToEightDigits()
    {
        auto *code = control<QLineEdit>("Text_DTMF_Code");
        clickInto(code);
        QApplication::clipboard()->setText(QStringLiteral("12-34 56x78 9A"));
        if (QApplication::clipboard()->text().isEmpty())
            QSKIP("no clipboard on this platform");
        QTest::keyClick(code, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(code->text(), QStringLiteral("12345678"));
        QCOMPARE(bytes(DtmfRow, 0, 8), QList<int>({1, 2, 3, 4, 5, 6, 7, 8}));
    }

    void receiveFrequencyWithinRange_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QList<int>>("stored");
        QTest::newRow("upper limit is outside") << "470" << false << QList<int>{0x00, 0x25, 0x00, 0x40};
        QTest::newRow("just below the limit") << "469.9875" << true << QList<int>{0x50, 0x87, 0x99, 0x46};
        QTest::newRow("below the range") << "399.99" << false << QList<int>{0x00, 0x25, 0x00, 0x40};
        QTest::newRow("lower limit is inside") << "400" << true << QList<int>{0x00, 0x00, 0x00, 0x40};
    }
    void receiveFrequencyWithinRange()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(QList<int>, stored);
        Img(VfoRow, 10) = 0x43; // plus
        open();
        auto *rx = control<QLineEdit>("Text_RX_Freq");
        retype(rx, typed);
        clickInto(control<QLineEdit>("Text_DTMF_Code"));
        QCOMPARE(bytes(VfoRow, 0, 4), stored);
        if (accepted) {
            QVERIFY(program->messages.texts().isEmpty());
            QCOMPARE(Img(VfoRow, 10), 0x03); // the direction goes back to off
        } else {
            QCOMPARE(program->messages.texts(), QStringList{"接收频率超出范围 ！"});
            QCOMPARE(rx->text(), QString());
            QCOMPARE(Img(VfoRow, 10), 0x43);
            QTRY_VERIFY(rx->hasFocus());
        }
    }

    void receiveFrequencyKeys()
    {
        auto *rx = control<QLineEdit>("Text_RX_Freq");
        clearBox(rx);
        QTest::keyClicks(rx, ".4a3-8.1234567");
        QCOMPARE(rx->text(), QStringLiteral("438.12345"));
    }

    void offsetIsCheckedWhileTypingAndOnLeaving()
    {
        auto *offset = control<QLineEdit>("Text_Offset_Freq");
        retype(offset, "69.99");
        QVERIFY(program->messages.texts().isEmpty());
        QCOMPARE(bytes(VfoRow, 4, 4), QList<int>({0x00, 0x90, 0x99, 0x06}));
        clickInto(control<QLineEdit>("Text_pvfo_d0"));
        QCOMPARE(program->messages.texts(), QStringList{"频差频率超出范围 ！"});
        QCOMPARE(offset->text(), QString());
        QCOMPARE(bytes(VfoRow, 4, 4), QList<int>({255, 255, 255, 255}));

        program->messages.clear();
        retype(offset, "70");
        QCOMPARE(program->messages.texts(), QStringList{"频差频率超出范围 ！"});
        QCOMPARE(offset->text(), QString());

        // An empty box stores "no offset" while typing and offset 0 on leaving.
        program->messages.clear();
        retype(offset, "5");
        clearBox(offset);
        QCOMPARE(bytes(VfoRow, 4, 4), QList<int>({255, 255, 255, 255}));
        clickInto(control<QLineEdit>("Text_pvfo_d0"));
        QCOMPARE(bytes(VfoRow, 4, 4), QList<int>({0, 0, 0, 0}));
        QVERIFY(program->messages.texts().isEmpty());
    }

    void transmitOutsideRangeTurnsTheShiftOff_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("rx");
        QTest::addColumn<bool>("outside");
        QTest::newRow("465 plus 10") << 1 << "465" << true;
        QTest::newRow("465 minus 10") << 2 << "465" << false;
        QTest::newRow("405 minus 10") << 2 << "405" << true;
        QTest::newRow("405 plus 10") << 1 << "405" << false;
        QTest::newRow("460 plus 10 reaches the upper limit") << 1 << "460" << true;
        QTest::newRow("459.9875 plus 10 stays below it") << 1 << "459.9875" << false;
        QTest::newRow("410 minus 10 reaches the lower limit") << 2 << "410" << false;
    }
    void transmitOutsideRangeTurnsTheShiftOff()
    {
        QFETCH(int, direction);
        QFETCH(QString, rx);
        QFETCH(bool, outside);
        // Receive rx, offset 10 MHz, simplex, high power, wide.
        const FreqField receive = Frequency::truncated(numericValue(rx))->field();
        const int vfo[] = {receive[0], receive[1], receive[2], receive[3], 0x00, 0x00, 0x00, 0x01};
        for (int b = 0; b < 8; ++b)
            Img(VfoRow, b) = vfo[b];
        Img(VfoRow, 10) = 0x33;
        open();
        auto *shift = control<QComboBox>("Combo_Sft_d");
        chooseItem(shift, direction);
        if (outside) {
            QCOMPARE(program->messages.texts(), QStringList{"发射频率超出范围 ！"});
            QCOMPARE(shift->currentIndex(), 0);
            QCOMPARE(Img(VfoRow, 10), 0x33);
        } else {
            QVERIFY(program->messages.texts().isEmpty());
            QCOMPARE(shift->currentIndex(), direction);
            QCOMPARE(Img(VfoRow, 10), 0x33 | direction << 6);
        }
    }

    void typingAnOffsetChecksTheTransmitFrequency()
    {
        const int vfo[] = {0x00, 0x00, 0x50, 0x46, 0x00, 0x00, 0x00, 0x00};
        for (int b = 0; b < 8; ++b)
            Img(VfoRow, b) = vfo[b];
        Img(VfoRow, 10) = 0x43; // plus
        open();
        retype(control<QLineEdit>("Text_Offset_Freq"), "10");
        QCOMPARE(program->messages.texts(), QStringList{"发射频率超出范围 ！"});
        QCOMPARE(control<QComboBox>("Combo_Sft_d")->currentIndex(), 0);
        QCOMPARE(Img(VfoRow, 10), 0x03);
        QCOMPARE(bytes(VfoRow, 4, 4), QList<int>({0x00, 0x00, 0x00, 0x01}));
    }

    void toneListsAndInvertedCodes_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("codeByte");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("invertBit");
        QTest::addColumn<bool>("inverted");
        QTest::newRow("decode first inverted DCS") << "Combo_Decode" << 155 << 8 << 51 << 4 << true;
        QTest::newRow("decode last normal DCS") << "Combo_Decode" << 154 << 8 << 154 << 4 << false;
        QTest::newRow("encode last inverted DCS") << "Combo_Encode" << 258 << 9 << 154 << 5 << true;
        QTest::newRow("encode off") << "Combo_Encode" << 0 << 9 << 0 << 5 << false;
        QTest::newRow("decode CTCSS 67.0") << "Combo_Decode" << 1 << 8 << 1 << 4 << false;
    }
    void toneListsAndInvertedCodes()
    {
        QFETCH(QString, list);
        QFETCH(int, index);
        QFETCH(int, codeByte);
        QFETCH(int, code);
        QFETCH(int, invertBit);
        QFETCH(bool, inverted);
        Img(VfoRow, 10) = 0x03 | (inverted ? 0 : 1 << invertBit);
        open();
        auto *tones = control<QComboBox>(list.toLatin1());
        chooseItem(tones, index);
        QCOMPARE(Img(VfoRow, codeByte), code);
        QCOMPARE(bool(Img(VfoRow, 10) & (1 << invertBit)), inverted);
        QCOMPARE(Img(VfoRow, 10) & ~(1 << invertBit), 0x03);
        tones->setCurrentIndex(0);
        reactivate();
        QCOMPARE(tones->currentIndex(), index);
    }

    void storedToneCodesSelectTheirEntries()
    {
        Img(VfoRow, 8) = 200; // beyond the DCS codes, not inverted
        Img(VfoRow, 9) = 51;
        Img(VfoRow, 10) = 0x23; // encode inverted
        open();
        QCOMPARE(control<QComboBox>("Combo_Decode")->currentIndex(), 154);
        QCOMPARE(control<QComboBox>("Combo_Encode")->currentText(), QStringLiteral("D023I"));
        QCOMPARE(Img(VfoRow, 8), 200);
    }

    void rangeLimitsAreGuarded_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("upperBefore");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("vfoOutside");
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("upper");
        QTest::newRow("lower below 400") << "Text_pvfo_d0" << 470 << "380"
                                         << "frequency of lower limit can't less than the lowest of "
                                            "work frequency. "
                                         << false << 400 << 470;
        QTest::newRow("upper above 470") << "Text_pvfo_d1" << 470 << "480"
                                         << "frequency of upper limit can't more than the highest of "
                                            "work frequency. "
                                         << false << 400 << 470;
        QTest::newRow("lower above upper") << "Text_pvfo_d0" << 450 << "460"
                                           << "frequency of lower limit can't more than frequency of "
                                              "upper limit."
                                           << true << 450 << 450;
        QTest::newRow("upper below lower") << "Text_pvfo_d1" << 470 << "390"
                                           << "frequency of upper limit can't less than frequency of "
                                              "lower limit."
                                           << false << 400 << 400;
        QTest::newRow("leading zero") << "Text_pvfo_d1" << 470 << "0450" << "" << false << 400 << 450;
        QTest::newRow("decimals") << "Text_pvfo_d0" << 470 << "410.7" << "" << true << 410 << 470;
    }
    void rangeLimitsAreGuarded()
    {
        QFETCH(QString, box);
        QFETCH(int, upperBefore);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(bool, vfoOutside);
        QFETCH(int, lower);
        QFETCH(int, upper);
        program->main->menuItem("Language_eng")->trigger();
        Img(RangeRow, 2) = upperBefore % 10 * 16;
        Img(RangeRow, 3) = upperBefore / 100 * 16 + upperBefore / 10 % 10;
        open();
        auto *limit = control<QLineEdit>(box.toLatin1());
        retype(limit, typed);
        clickInto(control<QLineEdit>("Text_DTMF_Code"));
        QStringList expected;
        if (!message.isEmpty())
            expected << message;
        // The VFO's 400.025 MHz lies outside every range that starts higher.
        if (vfoOutside)
            expected << "Receiving or transmitting frequency that frequency Mode out of frequency "
                        "limitation range ";
        QCOMPARE(program->messages.texts(), expected);
        if (!message.isEmpty()) {
            QCOMPARE(program->messages.messages.first().title, QStringLiteral("Operate Prompt"));
            QTRY_VERIFY(limit->hasFocus());
        }
        QCOMPARE(RangeFromImage(testDocument().image()), std::make_pair(lower, upper));
        QCOMPARE(testDocument().workRange().low, double(lower));
        QCOMPARE(testDocument().workRange().high, double(upper));
        QCOMPARE(control<QLineEdit>("Text_pvfo_d0")->text(), QString::number(lower));
        QCOMPARE(control<QLineEdit>("Text_pvfo_d1")->text(), QString::number(upper));
    }

    void narrowedRangeWarnsAboutStoredFrequencies_data()
    {
        QTest::addColumn<QString>("upper");
        QTest::addColumn<bool>("vfoOutside");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("channel 5 outside")
            << "450" << false
            << QStringList{"Channel 5that Receiving or transmitting frequency  out of frequency "
                           "limitation range "};
        QTest::newRow("vfo outside first")
            << "450" << true
            << QStringList{"Receiving or transmitting frequency that frequency Mode out of frequency "
                           "limitation range "};
        QTest::newRow("all inside") << "465" << false << QStringList{};
    }
    void narrowedRangeWarnsAboutStoredFrequencies()
    {
        QFETCH(QString, upper);
        QFETCH(bool, vfoOutside);
        QFETCH(QStringList, messages);
        program->main->menuItem("Language_eng")->trigger();
        useChannel(5, 0x46); // 460 MHz
        for (int b = 4; b < 8; ++b)
            Img(5, b) = 0;
        Img(5, 12) = 0;
        if (vfoOutside)
            Img(VfoRow, 3) = 0x46;
        const QList<int> channel = bytes(5, 0, 16);
        open();
        retype(control<QLineEdit>("Text_pvfo_d1"), upper);
        clickInto(control<QLineEdit>("Text_DTMF_Code"));
        QCOMPARE(program->messages.texts(), messages);
        QCOMPARE(bytes(5, 0, 16), channel);
    }
};

QTEST_MAIN(TestOptionWindow)
#include "tst_frm_option.moc"
