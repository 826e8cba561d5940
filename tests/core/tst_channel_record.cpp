// The channel record's rules in both encodings, and the frequency texts of
// the channel editors.
#include "core/ChannelEdits.h"
#include "core/ChannelRecord.h"
#include "core/FrequencyEntry.h"
#include "core/Codecs.h"
#include "support/CoreTestImage.h"
#include "core/Codeplug.h"
#include "core/ToneTable.h"
#include "core/NumberText.h"

#include <QTest>

namespace {

constexpr int Ch = 9;

QList<int> bytes(int row, int from, int to)
{
    QList<int> result;
    for (int c = from; c <= to; ++c)
        result << Img(row, c);
    return result;
}

void setBytes(int row, int from, const QList<int> &values)
{
    for (int i = 0; i < values.size(); ++i)
        Img(row, from + i) = qint16(values[i]);
}

} // namespace

class tst_channel_record : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
    }
    void init()
    {
        startWithDefaultImage();
        setWorkRange(400, 470);
    }

    void frequencyPair_data()
    {
        QTest::addColumn<int>("directionByte");
        QTest::addColumn<int>("before");     // the direction byte before the store
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::addColumn<QList<int>>("field");  // bytes 0..7
        QTest::addColumn<int>("after");      // the direction byte after the store
        QTest::addColumn<double>("txMHz");

        QTest::newRow("same value is simplex")
            << GridDirectionByte << 0x83 << "438.125" << "438.125"
            << QList<int>{0x00, 0x25, 0x81, 0x43, 0, 0, 0, 0} << 0x03 << 438.125;
        QTest::newRow("transmit snapping onto receive is simplex")
            << GridDirectionByte << 0x03 << "438.01" << "438.012"
            << QList<int>{0x00, 0x10, 0x80, 0x43, 0, 0, 0, 0} << 0x03 << 438.01;
        QTest::newRow("plus keeps the low bits of the grid flag byte")
            << GridDirectionByte << 0x3B << "438.125" << "445.125"
            << QList<int>{0x00, 0x25, 0x81, 0x43, 0x00, 0x00, 0x70, 0x00} << 0x7B << 445.125;
        QTest::newRow("minus in the editor byte keeps power and scan bits")
            << EditorDirectionByte << 0x06 << "438.5" << "430"
            << QList<int>{0x00, 0x00, 0x85, 0x43, 0x00, 0x00, 0x85, 0x00} << 0x86 << 430.0;
        QTest::newRow("receive snapped, offset derived from the snapped value")
            << GridDirectionByte << 0x03 << "438.0124" << "438.02"
            << QList<int>{0x00, 0x10, 0x80, 0x43, 0x00, 0x10, 0x00, 0x00} << 0x43 << 438.02;
        QTest::newRow("an unstorable transmit value leaves the channel simplex")
            << GridDirectionByte << 0x43 << "438" << "-100"
            << QList<int>{0x00, 0x00, 0x80, 0x43, 0, 0, 0, 0} << 0x03 << 438.0;
    }
    void frequencyPair()
    {
        QFETCH(int, directionByte);
        QFETCH(int, before);
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        QFETCH(QList<int>, field);
        QFETCH(int, after);
        QFETCH(double, txMHz);

        Img(Ch, directionByte) = qint16(before);
        // The receive value as an entry reads it: snapped onto the raster.
        QVERIFY(storeFrequencyPair(Document(), Ch, *Frequency::snapped(numericValue(rx)),
                                   Frequency::fromMHz(numericValue(tx)), directionByte));
        QCOMPARE(bytes(Ch, 0, 7), field);
        QCOMPARE(int(Img(Ch, directionByte)), after);
        QCOMPARE(channelTransmit(Document(), Ch, directionByte).steps(), Frequency::fromMHz(txMHz).steps());
    }

    void unstorableReceiveChangesNothing()
    {
        setBytes(Ch, 0, {0x00, 0x25, 0x81, 0x43, 0, 0, 0, 0, 0, 0, 3});
        const QList<int> before = bytes(Ch, 0, 15);
        QVERIFY(!storeFrequencyPair(Document(), Ch, Frequency::fromMHz(1200), Frequency::fromMHz(438), GridDirectionByte));
        QCOMPARE(bytes(Ch, 0, 15), before);
        // An empty channel has no receive frequency to store an offset against.
        QVERIFY(!storeTransmitFrequency(Document(), Ch + 1, Frequency::fromMHz(438), GridDirectionByte));
        QCOMPARE(bytes(Ch + 1, 0, 15), QList<int>(16, 255));
    }

    void transmitFromDirection_data()
    {
        QTest::addColumn<int>("directionByte");
        QTest::addColumn<int>("direction");
        QTest::addColumn<double>("txMHz");
        for (int byte : {GridDirectionByte, EditorDirectionByte}) {
            const QByteArray name = byte == GridDirectionByte ? "grid " : "editor ";
            QTest::newRow(name + "simplex") << byte << 0 << 438.0;
            QTest::newRow(name + "plus") << byte << 1 << 445.6;
            QTest::newRow(name + "minus") << byte << 2 << 430.4;
            QTest::newRow(name + "3 reads as simplex") << byte << 3 << 438.0;
        }
    }
    void transmitFromDirection()
    {
        QFETCH(int, directionByte);
        QFETCH(int, direction);
        QFETCH(double, txMHz);
        setBytes(Ch, 0, {0x00, 0x00, 0x80, 0x43, 0x00, 0x00, 0x76, 0x00});
        Img(Ch, directionByte) = qint16(direction << 6 | 0x05);
        QCOMPARE(channelTransmit(Document(), Ch, directionByte).steps(), Frequency::fromMHz(txMHz).steps());
    }

    void gridTone_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("inverted");
        QTest::newRow("off") << 0 << 0 << false;
        QTest::newRow("first CTCSS") << 1 << 1 << false;
        QTest::newRow("last CTCSS") << 50 << 50 << false;
        QTest::newRow("first DCS") << 51 << 51 << false;
        QTest::newRow("last DCS normal") << 154 << 154 << false;
        QTest::newRow("first DCS inverted") << 155 << 51 << true;
        QTest::newRow("position 200") << 200 << 96 << true;
        QTest::newRow("last DCS inverted") << 258 << 154 << true;
    }
    void gridTone()
    {
        QFETCH(int, position);
        QFETCH(int, code);
        QFETCH(bool, inverted);
        for (ToneSlot slot : {ToneSlot::Decode, ToneSlot::Encode}) {
            const int codeByte = slot == ToneSlot::Decode ? 8 : 9;
            const int bit = slot == ToneSlot::Decode ? 4 : 5;
            Img(Ch, 10) = qint16(inverted ? 0x03 : 0xFF); // the bit is written both ways
            storeGridTone(Document(), Ch, slot, position);
            QCOMPARE(int(Img(Ch, codeByte)), code);
            QCOMPARE(recordBit(Document(), Ch, 10, bit), inverted);
            QCOMPARE(int(Img(Ch, 10)) & ~(1 << bit), (inverted ? 0x03 : 0xFF) & ~(1 << bit));
            QCOMPARE(gridTonePosition(Document(), Ch, slot), position);
        }
    }

    void gridToneText_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<QString>("text");
        QTest::newRow("off") << 0 << true << "OFF";
        QTest::newRow("CTCSS ignores the bit") << 50 << true << "  254.1   ";
        QTest::newRow("60 normal") << 60 << false << ToneTable::instance().listText(60);
        QTest::newRow("60 inverted") << 60 << true << ToneTable::instance().listText(164);
        QTest::newRow("editor bytes beyond the list") << 200 << true << "";
        QTest::newRow("255 normal is an inverted entry") << 255 << false << ToneTable::instance().listText(255);
    }
    void gridToneText()
    {
        QFETCH(int, code);
        QFETCH(bool, inverted);
        QFETCH(QString, text);
        setBytes(Ch, 0, {0x00, 0x00, 0x80, 0x43, 0, 0, 0, 0, code, 0, inverted ? 0x13 : 0x03});
        const QList<int> before = bytes(Ch, 0, 15);
        QCOMPARE(::gridToneText(Document(), Ch, ToneSlot::Decode, Language::English), text);
        QCOMPARE(bytes(Ch, 0, 15), before);
    }

    void editorTone_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("written"); // position writes these bytes back
        QTest::newRow("off") << 255 << 255 << 0 << true;
        QTest::newRow("kind off, any index") << 255 << 3 << 0 << false;
        QTest::newRow("CTCSS index 49") << 0 << 49 << 50 << true;
        QTest::newRow("CTCSS index 70 is the 50th tone") << 0 << 70 << 50 << false;
        QTest::newRow("CTCSS index 255 is the 50th tone") << 0 << 255 << 50 << false;
        QTest::newRow("first CTCSS") << 0 << 0 << 1 << true;
        QTest::newRow("first DCS") << 1 << 0 << 51 << true;
        QTest::newRow("DCS index capped") << 1 << 200 << 154 << false;
        QTest::newRow("first inverted") << 2 << 0 << 155 << true;
        QTest::newRow("last inverted") << 2 << 103 << 258 << true;
        QTest::newRow("inverted capped") << 2 << 255 << 258 << false;
        QTest::newRow("unknown kind") << 3 << 0 << 0 << false;
    }
    void editorTone()
    {
        QFETCH(int, kind);
        QFETCH(int, index);
        QFETCH(int, position);
        QFETCH(bool, written);
        setBytes(Ch, 8, {kind, index, kind, index});
        QCOMPARE(editorTonePosition(Document(), Ch, ToneSlot::Decode), position);
        QCOMPARE(editorTonePosition(Document(), Ch, ToneSlot::Encode), position);
        if (written) {
            setBytes(Ch, 8, {0, 0, 0, 0});
            storeEditorTone(Document(), Ch, ToneSlot::Encode, position);
            QCOMPARE(bytes(Ch, 8, 11), (QList<int>{0, 0, kind, index}));
        }
    }

    void gridName_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<bool>("nameBit");
        QTest::addColumn<QString>("shown");
        QTest::newRow("two characters") << "ab" << QList<int>{12, 13, 255, 255, 255} << true << "AB";
        QTest::newRow("sixth character dropped")
            << "abcdef" << QList<int>{12, 13, 14, 15, 16} << true << "ABCDE";
        QTest::newRow("trimmed, inner space kept")
            << "  A 1 " << QList<int>{12, 11, 1, 255, 255} << true << "A 1";
        QTest::newRow("outside the alphabet becomes space")
            << "#-" << QList<int>{11, 10, 255, 255, 255} << true << " -";
        QTest::newRow("empty clears") << "" << QList<int>{255, 255, 255, 255, 255} << false << "";
        QTest::newRow("spaces only clear") << "   " << QList<int>{255, 255, 255, 255, 255} << false << "";
    }
    void gridName()
    {
        QFETCH(QString, entry);
        QFETCH(QList<int>, codes);
        QFETCH(bool, nameBit);
        QFETCH(QString, shown);
        setBytes(Ch, 0, {0x00, 0x00, 0x80, 0x43, 0, 0, 0, 0, 0, 0, nameBit ? 0xC3 : 0xCB, 1, 2, 3, 4, 5});
        storeGridName(Document(), Ch, entry);
        QCOMPARE(bytes(Ch, 11, 15), codes);
        QCOMPARE(recordBit(Document(), Ch, 10, 3), nameBit);
        QCOMPARE(int(Img(Ch, 10)) & ~0x08, 0xC3);
        QCOMPARE(::gridName(Document(), Ch), shown);
    }

    void gridNameNeedsItsBit()
    {
        setBytes(Ch, 10, {0x03, 12, 13, 14, 15, 16});
        QCOMPARE(::gridName(Document(), Ch), QString());
    }

    void editorName_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QList<int>>("columns");
        QTest::newRow("channel 1") << 1 << QList<int>{160, 160, 160, 160, 160} << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("channel 4 spans two rows")
            << 4 << QList<int>{160, 161, 161, 161, 161} << QList<int>{15, 0, 1, 2, 3};
        QTest::newRow("channel 128") << 128 << QList<int>{199, 199, 199, 199, 199}
                                     << QList<int>{11, 12, 13, 14, 15};
    }
    void editorName()
    {
        QFETCH(int, channel);
        QFETCH(QList<int>, rows);
        QFETCH(QList<int>, columns);
        storeEditorName(Document(), channel, QStringLiteral("k9-x*z"));
        const QList<int> expected{22, 9, 10, 35, 40};
        int written = 0;
        for (int r = 160; r <= 199; ++r)
            for (int c = 0; c < 16; ++c)
                written += Img(r, c) != 255;
        QCOMPARE(written, 5);
        for (int k = 0; k < 5; ++k)
            QCOMPARE(int(Img(rows[k], columns[k])), expected[k]);
        QCOMPARE(::editorName(Document(), channel), QStringLiteral("K9-X*"));
        storeEditorName(Document(), channel, QStringLiteral("Q"));
        QCOMPARE(::editorName(Document(), channel), QStringLiteral("Q"));
        QCOMPARE(int(Img(rows[1], columns[1])), 255);
    }

    void creationDefaults()
    {
        setBytes(Ch, 0, {0x00, 0x00, 0x80, 0x43, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
        initChannelDefaults(Document(), Ch);
        QCOMPARE(bytes(Ch, 0, 15), (QList<int>{0x00, 0x00, 0x80, 0x43, 0, 0, 0, 0, 0, 0, 3,
                                               255, 255, 255, 255, 255}));
        QCOMPARE(gridPowerText(Document(), Ch, Language::English), QStringLiteral("High"));
        QCOMPARE(gridBandwidthText(Document(), Ch, Language::English), QStringLiteral("Wide"));
        storeGridPower(Document(), Ch, 0);
        storeGridBandwidth(Document(), Ch, 0);
        QCOMPARE(int(Img(Ch, 10)), 0);
        QCOMPARE(gridPowerText(Document(), Ch, Language::Chinese), QStringLiteral("低"));
        QCOMPARE(gridBandwidthText(Document(), Ch, Language::Chinese), QStringLiteral("窄带"));
        QCOMPARE(::gridToneText(Document(), Ch, ToneSlot::Decode, Language::Chinese), QStringLiteral("关"));

        storeEditorName(Document(), Ch, QStringLiteral("ABC"));
        setBytes(Ch, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
        initEditorChannelDefaults(Document(), Ch);
        QCOMPARE(bytes(Ch, 0, 15), (QList<int>{0x00, 0x00, 0x80, 0x43, 0, 0, 0, 0, 255, 255, 255,
                                               255, 6, 0, 255, 255}));
        QCOMPARE(::editorName(Document(), Ch), QString());
        QCOMPARE(editorPowerLevel(Document(), Ch), 2);
        QCOMPARE(editorBandwidth(Document(), Ch), 0);
    }

    void entryTexts_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole MHz") << "438" << "438.00000";
        QTest::newRow("one decimal") << "438.5" << "438.50000";
        QTest::newRow("full length stays") << "438.12500" << "438.12500";
        QTest::newRow("two digits stay MHz") << "88" << "88.00000";
        QTest::newRow("two digits with decimals") << "88.5" << "88.50000";
    }
    void entryTexts()
    {
        QFETCH(QString, entry);
        QFETCH(QString, text);
        const CheckedEntry checked = checkFrequencyEntry(entry, WorkRange{0, 1000});
        QVERIFY(!checked.outOfRange);
        QCOMPARE(checked.text, text);
        QCOMPARE(numericValue(checked.text), numericValue(entry));
    }

    void shownTexts()
    {
        QCOMPARE(transmitText(Frequency::fromMHz(438)), QStringLiteral("438.00000"));
        QCOMPARE(transmitText(Frequency::fromMHz(145)), QStringLiteral("145.00000"));
        QCOMPARE(transmitText(Frequency::fromMHz(145.0125)), QStringLiteral("145.01250"));
        QCOMPARE(transmitText(Frequency::fromMHz(88.9875)), QStringLiteral("88.987500"));
        QCOMPARE(transmitText(Frequency::fromMHz(7.6)), QStringLiteral("7.6000000"));
        QCOMPARE(lowerLimitText(testDocument().workRange()), QStringLiteral("400.00000"));
        setWorkRange(88, testDocument().workRange().high);
        QCOMPARE(lowerLimitText(testDocument().workRange()), QStringLiteral("88.00000"));
    }

    void inBand_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("inBand");
        QTest::newRow("lower limit accepted") << 400.0 << 470.0 << 400.0 << true;
        QTest::newRow("upper limit refused") << 400.0 << 470.0 << 470.0 << false;
        QTest::newRow("just below upper") << 400.0 << 470.0 << 469.99999 << true;
        QTest::newRow("below lower") << 400.0 << 470.0 << 399.99 << false;
        QTest::newRow("1000 MHz in a wide range") << 0.0 << 1600.0 << 1000.0 << false;
        QTest::newRow("negative in a range from 0") << 0.0 << 470.0 << -5.0 << false;
    }
    void inBand()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(double, value);
        QFETCH(bool, inBand);
        setWorkRange(low, high);
        QCOMPARE(isFrequencyInBand(value, testDocument().workRange()), inBand);
    }
    // Every edit of the one edit layer, in both encodings: what it answers,
    // and the record bytes it leaves (bytes 0..15 of channel Ch; the
    // editor's name table bytes where they matter).
    void channelEdits_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<bool>("editor");
        QTest::addColumn<bool>("inUse");   // channel Ch holds 430 MHz, transmit 440 MHz, name "AB"
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("refuse");  // the companion's policy, else the windows'
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("message");
        QTest::addColumn<QList<int>>("record");
        using O = ChannelEditOutcome;
        const int none = int(ChannelMessage::None), rxOut = int(ChannelMessage::ReceiveOutOfRange),
                  txOut = int(ChannelMessage::TransmitOutOfRange), first = int(ChannelMessage::ReceiveFirst),
                  item = int(ChannelMessage::NoSuchItem);
        const QList<int> empty(16, 255);
        QTest::newRow("grid: receive creates the channel")
            << "rx" << false << false << "438.125" << false << int(O::Stored) << none
            << QList<int>{0x00, 0x25, 0x81, 0x43, 0, 0, 0, 0, 0, 0, 3, 255, 255, 255, 255, 255};
        QTest::newRow("editor: receive creates the channel")
            << "rx" << true << false << "438.125" << false << int(O::Stored) << none
            << QList<int>{0x00, 0x25, 0x81, 0x43, 0, 0, 0, 0, 255, 255, 255, 255, 6, 0, 255, 255};
        QTest::newRow("receive snapped")
            << "rx" << false << false << "438.123" << false << int(O::Snapped) << none
            << QList<int>{0x00, 0x20, 0x81, 0x43, 0, 0, 0, 0, 0, 0, 3, 255, 255, 255, 255, 255};
        QTest::newRow("windows: receive above the range stores the lower limit, transmit kept")
            << "rx" << false << true << "470" << false << int(O::Stored) << rxOut
            << QList<int>{0, 0, 0, 0x40, 0, 0, 0, 0x04, 0, 0, 0x40 | 0x0B, 10, 11, 255, 255, 255};
        QTest::newRow("companion: receive above the range refused")
            << "rx" << false << true << "470" << true << int(O::Refused) << rxOut << QList<int>();
        QTest::newRow("grid: emptied receive deletes the channel")
            << "rx" << false << true << "" << false << int(O::Stored) << none << empty;
        QTest::newRow("grid: transmit into an empty channel refused")
            << "tx" << false << false << "440" << false << int(O::Refused) << first << empty;
        QTest::newRow("grid: emptied transmit makes it simplex")
            << "tx" << false << true << "" << false << int(O::Stored) << none
            << QList<int>{0, 0, 0, 0x43, 0, 0, 0, 0, 0, 0, 0x0B, 10, 11, 255, 255, 255};
        QTest::newRow("windows: transmit below the range stores the lower limit")
            << "tx" << false << true << "399" << false << int(O::Stored) << txOut
            << QList<int>{0, 0, 0, 0x43, 0, 0, 0, 0x03, 0, 0, 0x80 | 0x0B, 10, 11, 255, 255, 255};
        QTest::newRow("companion: transmit below the range refused")
            << "tx" << false << true << "399" << true << int(O::Refused) << txOut << QList<int>();
        QTest::newRow("grid: tone 200 stores code 96 inverted")
            << "decode" << false << true << "200" << false << int(O::Stored) << none
            << QList<int>{0, 0, 0, 0x43, 0, 0, 0, 0x01, 96, 0, 0x5B, 10, 11, 255, 255, 255};
        QTest::newRow("editor: tone 200 stores kind 2")
            << "decode" << true << true << "200" << false << int(O::Stored) << none
            << QList<int>{0, 0, 0, 0x43, 0, 0, 0, 0x01, 2, 45, 0x0B, 10, 11, 0xDF, 255, 255};
        QTest::newRow("tone past the list refused")
            << "decode" << false << true << "259" << false << int(O::Refused) << item << QList<int>();
        QTest::newRow("tone of an empty channel refused")
            << "decode" << false << false << "1" << false << int(O::Refused) << first << empty;
        QTest::newRow("grid: power Low")
            << "power" << false << true << "0" << false << int(O::Stored) << none
            << QList<int>{0, 0, 0, 0x43, 0, 0, 0, 0x01, 0, 0, 0x4A, 10, 11, 255, 255, 255};
        QTest::newRow("grid: no middle power")
            << "power" << false << true << "2" << false << int(O::Refused) << item << QList<int>();
        QTest::newRow("editor: power Middle")
            << "power" << true << true << "1" << false << int(O::Stored) << none
            << QList<int>{0, 0, 0, 0x43, 0, 0, 0, 0x01, 0, 0, 0x0B, 10, 0x09, 0xDF, 255, 255};
        QTest::newRow("editor: bandwidth Narrow")
            << "bandwidth" << true << true << "1" << false << int(O::Stored) << none
            << QList<int>{0, 0, 0, 0x43, 0, 0, 0, 0x01, 0, 0, 0x0B, 10, 11, 255, 255, 255};
        QTest::newRow("grid: a name into an empty record, as always")
            << "name" << false << false << "CD" << false << int(O::Stored) << none
            << QList<int>{255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 0xFF, 14, 15, 255, 255, 255};
        QTest::newRow("editor: no name for an empty channel")
            << "name" << true << false << "CD" << false << int(O::Refused) << first << empty;
        QTest::newRow("editor: emptied receive deletes the channel")
            << "rx" << true << true << "" << false << int(O::Stored) << none << empty;
    }
    void channelEdits()
    {
        QFETCH(QString, edit);
        QFETCH(bool, editor);
        QFETCH(bool, inUse);
        QFETCH(QString, input);
        QFETCH(bool, refuse);
        QFETCH(int, status);
        QFETCH(int, message);
        QFETCH(QList<int>, record);
        if (inUse) {
            QVERIFY(storeFrequencyPair(Document(), Ch, Frequency::fromMHz(430), Frequency::fromMHz(440),
                                       editor ? EditorDirectionByte : GridDirectionByte));
            setBytes(Ch, 8, {0, 0, editor ? 0x0B : 0x4B, 10, 11, editor ? 0xDF : 255, 255, 255});
            storeEditorName(Document(), Ch, QStringLiteral("AB"));
        }
        const QList<int> before = bytes(Ch, 0, 15);
        const ChannelTarget target{Ch, editor ? ChannelEncoding::Editor : ChannelEncoding::Grid, {400, 470}};
        const OutOfRangePolicy policy = refuse ? OutOfRangePolicy::Refuse : OutOfRangePolicy::StoreLowerLimit;
        ChannelEditOutcome outcome;
        Codeplug &image = Document();
        if (edit == "rx")
            outcome = setReceive(image, target, frequencyEntryValue(input), policy);
        else if (edit == "tx")
            outcome = setTransmit(image, target, frequencyEntryValue(input), policy);
        else if (edit == "decode")
            outcome = setTone(image, target, ToneSlot::Decode, input.toInt());
        else if (edit == "power")
            outcome = setPower(image, target, input.toInt());
        else if (edit == "bandwidth")
            outcome = setBandwidth(image, target, input.toInt());
        else
            outcome = setName(image, target, input);
        QCOMPARE(int(outcome.status), status);
        QCOMPARE(int(outcome.message), message);
        // A refusal leaves the record as it was.
        QCOMPARE(bytes(Ch, 0, 15), record.isEmpty() ? before : record);
        if (edit == "rx" && input.isEmpty() && editor)
            QCOMPARE(::editorName(Document(), Ch), QString());
    }

    // What the channel editor settles when it is brought to a channel, and
    // what an image that arrives whole settles: an empty record's leftovers.
    void settling()
    {
        setBytes(Ch, 0, {255, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
        storeEditorName(Document(), Ch, QStringLiteral("AB"));
        Codeplug arrived = Document();
        settleArrivedImage(arrived);
        for (int c = 0; c < 16; ++c)
            QCOMPARE(int(arrived.cell(Ch, c)), 255);
        QCOMPARE(::editorName(arrived, Ch), QStringLiteral("AB")); // the name table is the editor's
        settleEditorChannel(Document(), Ch, {400, 470});
        QCOMPARE(bytes(Ch, 0, 15), QList<int>(16, 255));
        QCOMPARE(::editorName(Document(), Ch), QString());
        // In use, with its transmit outside the range: the direction goes.
        QVERIFY(storeFrequencyPair(Document(), Ch, Frequency::fromMHz(430), Frequency::fromMHz(480), EditorDirectionByte));
        settleEditorChannel(Document(), Ch, {400, 470});
        QCOMPARE(Img(Ch, EditorDirectionByte) & DirectionMask, 0);
    }
};

QTEST_APPLESS_MAIN(tst_channel_record)
#include "tst_channel_record.moc"
