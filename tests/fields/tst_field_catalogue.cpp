// The field catalogue: bit fields, limits, diff and the channel plan CSV.
#include "FieldTestSupport.h"
#include "support/CoreTestImage.h"

#include "core/ChannelRecord.h"
#include "core/SettingPlaces.h"
#include "fields/ChannelPlanCsv.h"
#include "fields/FieldCommands.h"
#include "fields/FieldReport.h"
#include "fields/GenericChannelCsv.h"

#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <thread>

Q_DECLARE_METATYPE(FieldValue)

namespace {

// What a spreadsheet saves of a plan it opened (cells without quotes or
// separators): a cell marked as text with an apostrophe as its text, a
// number in its shortest form ("067.0" -> "67"), a formula (a cell
// starting with = + - @ and more, that is no number) as its error value.
QByteArray savedBySpreadsheet(const QByteArray &csv)
{
    QStringList lines = QString::fromUtf8(csv).split(QStringLiteral("\r\n"));
    for (QString &line : lines) {
        QStringList cells = line.split(QLatin1Char(','));
        for (QString &cell : cells) {
            bool number = false;
            const double value = cell.toDouble(&number);
            if (cell.startsWith(QLatin1Char('\'')))
                cell.remove(0, 1);
            else if (number)
                cell = QString::number(value, 'g', 15);
            else if (cell.size() > 1 && QStringLiteral("=+-@").contains(cell.at(0)))
                cell = QStringLiteral("#NAME?");
        }
        line = cells.join(QLatin1Char(','));
    }
    return lines.join(QStringLiteral("\r\n")).toUtf8();
}

} // namespace

class TestFieldCatalogue : public QObject {
    Q_OBJECT

    // The default image with channel 5 in use, so that its fields can be set.
    static Codeplug withChannel5()
    {
        Codeplug image = defaultImage();
        // A VFO from which both shift directions stay inside the range.
        if (!write(image, "channel.5.receive", "438.125").isEmpty() || !write(image, "vfo.receive", "430").isEmpty())
            qFatal("channel 5 or the VFO not set");
        return image;
    }

private slots:
    // Refusals and notes in English, the companion's default language.

    // The catalogue names each place's field with the place's own bytes.
    void theCatalogueReadsThePlaces()
    {
        for (int i = 0; i < SettingCount; ++i) {
            const SettingPlace &p = settingPlace(SettingId(i));
            if (!*p.key)
                continue;
            const Field *field = findField(QString::fromLatin1(p.key));
            QVERIFY2(field, p.key);
            QCOMPARE(bilingualText(field->caption, Language::English), bilingualText(p.caption, Language::English));
            const FieldByte first = field->bytes.first();
            QCOMPARE(first.row * RowBytes + first.column, p.row * RowBytes + p.byte);
            QCOMPARE(first.mask, p.mask);
        }
    }

    // A field lists the fields that read some of its bits in another way:
    // the other encoding of its channel's bytes 8..15 and the name table,
    // never the bytes 0..7 both encodings read alike.
    void sharedBytesAreMarked_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QStringList>("sharing"); // some of the fields listed
        QTest::addColumn<QStringList>("notSharing");
        QTest::newRow("receive, read alike") << "channel.3.receive" << QStringList{}
                                             << QStringList{"channel.3.editor.receive"};
        QTest::newRow("grid name") << "channel.3.name"
                                   << QStringList{"channel.3.editor.encode", "channel.3.editor.power",
                                                  "channel.3.editor.bandwidth"}
                                   << QStringList{"channel.3.power", "channel.3.editor.name"};
        QTest::newRow("editor bandwidth") << "channel.3.editor.bandwidth" << QStringList{"channel.3.name"}
                                          << QStringList{"channel.3.editor.vox", "channel.4.name"};
        QTest::newRow("grid transmit") << "channel.3.transmit"
                                       << QStringList{"channel.3.editor.transmit", "channel.3.editor.encode"}
                                       << QStringList{"channel.3.offset", "channel.3.direction"};
        QTest::newRow("a setting elsewhere") << "option.squelch" << QStringList{} << QStringList{};
    }

    void sharedBytesAreMarked()
    {
        QFETCH(QString, id);
        QFETCH(QStringList, sharing);
        QFETCH(QStringList, notSharing);
        QStringList listed;
        for (const Field *field : sharingFields(*findField(id)))
            listed << field->id;
        QCOMPARE(listed.isEmpty(), sharing.isEmpty());
        for (const QString &other : sharing)
            QVERIFY2(listed.contains(other), qPrintable(listed.join(' ')));
        for (const QString &other : notSharing)
            QVERIFY2(!listed.contains(other), qPrintable(listed.join(' ')));
    }

    void everyWindowFieldIsCovered_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("uncovered");
        // The two encodings together use every bit of a channel record.
        for (int b = 0; b < 16; ++b)
            QTest::addRow("channel byte %d", b) << 7 << b << 0;
        for (int b : {2, 3, 4, 8, 9})
            QTest::addRow("general byte %d", b) << 252 << b << 0;
        QTest::newRow("general byte 5, bits 1-2 unused") << 252 << 5 << 0x06;
        QTest::newRow("general byte 6, bit 2 unused") << 252 << 6 << 0x04;
        QTest::newRow("menu and stop code") << 252 << 12 << 0xCF;
        QTest::newRow("first used channel, set by the write") << 252 << 7 << 0xFF;
        for (int b = 0; b < 11; ++b)
            QTest::addRow("dtmf byte %d", b) << 254 << b << 0;
        QTest::newRow("fm 15") << 253 << 15 << 0;
        QTest::newRow("range low units") << 250 << 0 << 0x0F;
        QTest::newRow("range high") << 250 << 3 << 0;
        QTest::newRow("vfo flags") << 130 << 10 << 0x0C;
        QTest::newRow("vfo name bytes") << 130 << 11 << 0xFF;
        QTest::newRow("name table") << 199 << 15 << 0;
        QTest::newRow("scan dwell") << 240 << 8 << 0;
        QTest::newRow("pf2") << 240 << 14 << 0;
        QTest::newRow("message") << 209 << 8 << 0;
        QTest::newRow("power high") << 255 << 1 << 0;
        QTest::newRow("signature row") << 251 << 0 << 0xFF;
    }
    void everyWindowFieldIsCovered()
    {
        QFETCH(int, row);
        QFETCH(int, byte);
        QFETCH(int, uncovered);
        QCOMPARE(uncoveredMask(row, byte), uncovered);
    }

    // Each bit field with its neighbours set two ways, every choice made
    // upwards and then downwards: a mask one bit too wide, or a value that
    // can be raised but not lowered, fails.
    void bitFieldsKeepTheirNeighbours()
    {
        int checked = 0;
        for (const Field &f : fieldCatalogue()) {
            if (f.bytes.size() != 1 || f.bytes.first().mask == 0xFF || (f.channel != 0 && f.channel != 5)
                || (f.id.endsWith(QLatin1String("direction")) && f.channel != 0))
                continue;
            const FieldByte at = f.bytes.first();
            const QStringList items = f.choices ? f.choices(Language::English) : QStringList();
            QVERIFY2(!items.isEmpty(), qPrintable(f.id));
            // Channel mode forced on would refuse the frequency mode.
            const int keepClear = f.id == QLatin1String("option.work_mode") ? 0x20 : 0;
            // Only channel mode also selects channel mode (bit 0).
            const int alsoChanges = f.id == QLatin1String("option.only_channel") ? 0x01 : 0;
            for (int pattern : {0xA5, 0x5A}) {
                Codeplug image = withChannel5();
                image.at(at.row, at.column) = quint8(pattern & ~keepClear);
                const int others = image.at(at.row, at.column) & ~at.mask & ~alsoChanges;
                QVector<int> order;
                for (int i = 0; i < items.size(); ++i)
                    order << i;
                for (int i = items.size() - 1; i >= 0; --i)
                    order << i;
                for (int i : order) {
                    const QString refused = writeField(image, f, items.at(i), Language::English);
                    QVERIFY2(refused.isEmpty(), qPrintable(f.id + ": " + refused));
                    QCOMPARE(readField(image, f, Language::English), items.at(i));
                    QCOMPARE(image.at(at.row, at.column) & ~at.mask & ~alsoChanges, others);
                }
            }
            ++checked;
        }
        QCOMPARE(checked, 23);
    }

    void limitsAtTheirEdges_data()
    {
        QTest::addColumn<QStringList>("setup");  // id=text written first
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("shown");
        const QStringList vfo460{"vfo.receive=460", "vfo.offset=10"};
        QTest::newRow("vfo plus to 470 is out") << vfo460 << "vfo.direction" << "Plus" << false << "Off";
        QTest::newRow("vfo minus to 450 is in") << vfo460 << "vfo.direction" << "Minus" << true << "Minus";
        QTest::newRow("grid transmit at 470 is out")
            << QStringList{"channel.2.receive=460"} << "channel.2.transmit" << "470" << false << "460.00000";
        QTest::newRow("grid transmit below 470 is in")
            << QStringList{"channel.2.receive=460"} << "channel.2.transmit" << "469.99375" << true << "469.99375";
        QTest::newRow("upper limit 465") << QStringList{} << "range.high" << "465" << true << "465";
        QTest::newRow("receive below 465")
            << QStringList{"range.high=465"} << "channel.2.receive" << "464.995" << true << "464.99500";
        QTest::newRow("receive at 465") << QStringList{"range.high=465"} << "channel.2.receive" << "465" << false << "";
        QTest::newRow("upper limit above 470") << QStringList{} << "range.high" << "471" << false << "470";
        QTest::newRow("lower limit below 400") << QStringList{} << "range.low" << "399" << false << "400";
        QTest::newRow("lower limit 400") << QStringList{"range.low=410"} << "range.low" << "400" << true << "400";
        QTest::newRow("upper limit 470") << QStringList{"range.high=465"} << "range.high" << "470" << true << "470";
        QTest::newRow("priority channel 128")
            << QStringList{"channel.1.receive=438", "option.priority_scan=On"} << "option.priority_channel" << "128"
            << true << "128";
        QTest::newRow("power 255") << QStringList{"power.high=7"} << "power.high" << "255" << true << "255";
        QTest::newRow("power 256") << QStringList{"power.high=7"} << "power.high" << "256" << false << "7";
        QTest::newRow("fm 108.0 is code 210") << QStringList{} << "fm.3" << "108" << true << "108.0";
        QTest::newRow("fm 108.1 is out") << QStringList{} << "fm.3" << "108.1" << false << "";
        QTest::newRow("priority channel 129")
            << QStringList{"channel.1.receive=438", "option.priority_scan=On"} << "option.priority_channel" << "129"
            << false << "1";
        QTest::newRow("priority scan without a channel in use")
            << QStringList{} << "option.priority_scan" << "On" << false << "Off";
        QTest::newRow("scan priority channel 17")
            << QStringList{"scan.priority=Fixed"} << "scan.priority_channel" << "17" << false << "";
        QTest::newRow("name of 6 characters")
            << QStringList{"channel.2.receive=440"} << "channel.2.name" << "ABCDEF" << false << "";
        QTest::newRow("name with #") << QStringList{"channel.2.receive=440"} << "channel.2.name" << "A#" << false << "";
        QTest::newRow("tone of an empty channel") << QStringList{} << "channel.2.decode" << "67.0" << false << "";
        // Padded as the grid pads, "0438" would read 043800000: refused as
        // the windows refuse it, never taken and then left unstored.
        QTest::newRow("receive with a leading zero") << QStringList{} << "channel.2.receive" << "0438" << false << "";
        QTest::newRow("transmit with a leading zero")
            << QStringList{"channel.2.receive=440"} << "channel.2.editor.transmit" << "0445" << false << "440.00000";
    }
    void limitsAtTheirEdges()
    {
        QFETCH(QStringList, setup);
        QFETCH(QString, id);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(QString, shown);
        Codeplug image = defaultImage();
        for (const QString &step : setup)
            QCOMPARE(write(image, step.section('=', 0, 0), step.section('=', 1)), QString());
        const Codeplug before = image;
        const QString refused = write(image, id, text);
        QCOMPARE(refused.isEmpty(), accepted);
        if (!accepted)
            QVERIFY(image == before);
        QCOMPARE(read(image, id), shown);
    }

    // Bytes past a field's last value read as its window shows them.
    void storedValuesPastTheLastItem_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("shown");
        QTest::newRow("priority channel 200") << 252 << 8 << 200 << "option.priority_channel" << "128";
        QTest::newRow("fm code 210") << 253 << 0 << 210 << "fm.0" << "108.0";
        QTest::newRow("fm code 211") << 253 << 0 << 211 << "fm.0" << "";
        QTest::newRow("time-out 9") << 252 << 4 << 9 << "option.time_out" << "7";
        QTest::newRow("pre-time 200") << 254 << 8 << 200 << "dtmf.pre_time" << "4500";
        QTest::newRow("upper limit 475") << 250 << 2 << 0x50 << "range.high" << "475";
    }
    void storedValuesPastTheLastItem()
    {
        QFETCH(int, row);
        QFETCH(int, byte);
        QFETCH(int, value);
        QFETCH(QString, id);
        QFETCH(QString, shown);
        Codeplug image = defaultImage();
        image.at(row, byte) = quint8(value);
        QCOMPARE(read(image, id), shown);
    }

    // Each kind of field reads its bytes as a typed value, and the value,
    // written where the setup's last text was written, stores the same
    // bytes as that text.
    void valuesReadByKind_data()
    {
        QTest::addColumn<QStringList>("setup"); // id=text written first
        QTest::addColumn<QString>("id");
        QTest::addColumn<FieldValue>("value");
        const auto mhz = [](qint64 steps) { return FieldValue(Frequency::fromSteps(steps)); };
        const QStringList shifted{"channel.5.receive=439.875", "channel.5.transmit=432.275"};
        QTest::newRow("receive") << QStringList{"channel.5.receive=439.8"} << "channel.5.receive" << mhz(43980000);
        QTest::newRow("editor receive") << QStringList{"channel.5.editor.receive=400.00625"}
                                        << "channel.5.editor.receive" << mhz(40000625);
        QTest::newRow("transmit 7.6 below") << shifted << "channel.5.transmit" << mhz(43227500);
        QTest::newRow("offset 7.6") << shifted << "channel.5.offset" << mhz(760000);
        QTest::newRow("direction minus") << shifted << "channel.5.direction" << FieldValue(ChoiceValue{2});
        QTest::newRow("editor transmit 10 above") << QStringList{"channel.5.editor.transmit=448.125"}
                                                  << "channel.5.editor.transmit" << mhz(44812500);
        QTest::newRow("empty channel") << QStringList{} << "channel.6.receive" << FieldValue();
        QTest::newRow("tone of an empty channel") << QStringList{} << "channel.6.decode" << FieldValue();
        QTest::newRow("ctcss tone") << QStringList{"channel.5.decode=88.5"} << "channel.5.decode"
                                    << FieldValue(ToneValue{9});
        QTest::newRow("dcs tone") << QStringList{"channel.5.encode=D023N"} << "channel.5.encode"
                                  << FieldValue(ToneValue{51});
        QTest::newRow("inverted dcs tone") << QStringList{"channel.5.encode=D754I"} << "channel.5.encode"
                                           << FieldValue(ToneValue{258});
        QTest::newRow("editor tone") << QStringList{"channel.5.editor.decode=D023I"} << "channel.5.editor.decode"
                                     << FieldValue(ToneValue{155});
        QTest::newRow("vfo tone") << QStringList{"vfo.encode=254.1"} << "vfo.encode" << FieldValue(ToneValue{50});
        QTest::newRow("grid power") << QStringList{"channel.5.power=Low"} << "channel.5.power"
                                    << FieldValue(ChoiceValue{0});
        QTest::newRow("grid bandwidth") << QStringList{"channel.5.bandwidth=Narrow"} << "channel.5.bandwidth"
                                        << FieldValue(ChoiceValue{0});
        QTest::newRow("editor power") << QStringList{"channel.5.editor.power=Middle"} << "channel.5.editor.power"
                                      << FieldValue(ChoiceValue{1});
        QTest::newRow("setting choice") << QStringList{"vfo.direction=Minus"} << "vfo.direction"
                                        << FieldValue(ChoiceValue{2});
        QTest::newRow("scan revert") << QStringList{"scan.priority=Fixed", "scan.revert=Priority"} << "scan.revert"
                                     << FieldValue(ChoiceValue{2});
        QTest::newRow("channel flag") << QStringList{"channel.5.editor.vox=On"} << "channel.5.editor.vox"
                                      << FieldValue(true);
        QTest::newRow("inverted flag") << QStringList{"channel.5.editor.scan_add=On"} << "channel.5.editor.scan_add"
                                       << FieldValue(true);
        QTest::newRow("setting flag") << QStringList{"option.beep=Off"} << "option.beep" << FieldValue(false);
        QTest::newRow("grid name") << QStringList{"channel.5.name=KV-9"} << "channel.5.name"
                                   << FieldValue(QStringLiteral("KV-9"));
        QTest::newRow("editor name") << QStringList{"channel.5.editor.name=Z_+*"} << "channel.5.editor.name"
                                     << FieldValue(QStringLiteral("Z_+*"));
        QTest::newRow("message") << QStringList{"message=HELLO"} << "message" << FieldValue(QStringLiteral("HELLO"));
        QTest::newRow("dtmf code") << QStringList{"option.dtmf_code=12AB"} << "option.dtmf_code"
                                   << FieldValue(QStringLiteral("12AB"));
        QTest::newRow("vfo receive") << QStringList{"vfo.receive=445.5"} << "vfo.receive" << mhz(44550000);
        QTest::newRow("vfo offset 9.995") << QStringList{"vfo.offset=9.995"} << "vfo.offset" << mhz(999500);
        QTest::newRow("fm preset") << QStringList{"fm.3=98.1"} << "fm.3" << mhz(9810000);
        QTest::newRow("fm preset 108.0") << QStringList{"fm.3=108"} << "fm.3" << mhz(10800000);
        QTest::newRow("fm preset emptied") << QStringList{"fm.3=98.1", "fm.3="} << "fm.3" << FieldValue();
        QTest::newRow("range limit") << QStringList{"range.low=410"} << "range.low" << FieldValue(NumberValue{410});
        QTest::newRow("setting number") << QStringList{"power.high=7"} << "power.high" << FieldValue(NumberValue{7});
        QTest::newRow("scan priority channel")
            << QStringList{"scan.priority=Fixed", "scan.priority_channel=3"} << "scan.priority_channel"
            << FieldValue(NumberValue{3});
        QTest::newRow("no scan priority channel")
            << QStringList{"scan.priority=Fixed", "scan.priority_channel=3", "scan.priority_channel="}
            << "scan.priority_channel" << FieldValue();
    }
    void valuesReadByKind()
    {
        QFETCH(QStringList, setup);
        QFETCH(QString, id);
        QFETCH(FieldValue, value);
        Codeplug image = withChannel5(), before = image;
        for (const QString &step : setup) {
            before = image;
            QCOMPARE(write(image, step.section('=', 0, 0), step.section('=', 1)), QString());
        }
        QVERIFY2(readValue(image, field(id)) == value, qPrintable(read(image, id)));
        if (setup.isEmpty() || setup.last().section('=', 0, 0) != id)
            return;
        QCOMPARE(writeValue(before, field(id), value, Language::English), QString());
        QVERIFY(before == image);
    }

    // A value is checked by the rules its text is: refused, it leaves the
    // image as it was, and says why in the language asked for.
    void valuesAreRefusedAsTheirTexts_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<FieldValue>("value");
        QTest::addColumn<QString>("refusal");
        const auto mhz = [](qint64 steps) { return FieldValue(Frequency::fromSteps(steps)); };
        QTest::newRow("receive above the range") << "channel.5.receive" << mhz(47000000)
                                                 << "470.00000 is outside the working range 400..470 MHz";
        QTest::newRow("transmit below the range") << "channel.5.transmit" << mhz(39999500)
                                                  << "399.99500 is outside the working range 400..470 MHz";
        QTest::newRow("tone of an empty channel") << "channel.6.decode" << FieldValue(ToneValue{1})
                                                  << "channel 6 is empty: enter its receive frequency first";
        QTest::newRow("tone past the list") << "channel.5.decode" << FieldValue(ToneValue{259})
                                            << "unknown tone \"259\"";
        QTest::newRow("power past the list") << "channel.5.power" << FieldValue(ChoiceValue{2})
                                             << "\"2\" is not one of: Low, High";
        QTest::newRow("derived offset") << "channel.5.offset" << mhz(760000)
                                        << "this field is derived; it cannot be set on its own";
        QTest::newRow("another kind") << "channel.5.decode" << FieldValue(ChoiceValue{1})
                                      << "the value is not of the field's kind";
        QTest::newRow("vfo offset of 70 MHz") << "vfo.offset" << mhz(7000000) << "offset 70.00000 is 70 MHz or more";
        QTest::newRow("fm preset below 87") << "fm.3" << mhz(8690000) << "\"86.90000\" is outside 87.0..108.0 MHz";
        QTest::newRow("fm preset above 108") << "fm.3" << mhz(10810000) << "\"108.10000\" is outside 87.0..108.0 MHz";
        QTest::newRow("number past its range") << "power.high" << FieldValue(NumberValue{256}) << "\"256\" is not 0..255";
        QTest::newRow("name of 6 characters") << "channel.5.name" << FieldValue(QStringLiteral("ABCDEF"))
                                              << "\"ABCDEF\" is longer than 5 characters";
    }
    void valuesAreRefusedAsTheirTexts()
    {
        QFETCH(QString, id);
        QFETCH(FieldValue, value);
        QFETCH(QString, refusal);
        const Codeplug before = withChannel5();
        Codeplug image = before;
        QCOMPARE(writeValue(image, field(id), value, Language::English), refusal);
        QVERIFY(image == before);
        QVERIFY(!writeValue(image, field(id), value, Language::Chinese).isEmpty());
    }

    void diffOfAnImageWithItselfIsEmpty()
    {
        for (const Codeplug &image : {defaultImage(), sampleImage()}) {
            const DiffResult result = diffCodeplugs(image, image);
            QVERIFY(result.lines.isEmpty());
            QCOMPARE(result.exitStatus(), 0);
        }
    }

    // One change in each window's area shows as every field whose text it
    // changes, in either channel encoding.
    void oneChangeShowsAsItsField_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("grid transmit") << "channel.2.transmit" << "444"
                                       << QStringList{"channel 2 offset (grid encoding): 0.000000 -> 5.000000",
                                                       "channel 2 transmit (grid encoding): 439.00000 -> 444.00000",
                                                       "channel 2 direction (grid encoding): Off -> Plus"};
        QTest::newRow("grid decode") << "channel.2.decode" << "D023I"
                                     << QStringList{"channel 2 decode (grid encoding): OFF -> D023I",
                                                   "channel 2 decode (editor encoding): 67.0 -> OFF"};
        QTest::newRow("grid power") << "channel.2.power" << "Low" << QStringList{"channel 2 power (grid encoding): High -> Low",
                                                                        "channel 2 encode (editor encoding): OFF -> D754I"};
        QTest::newRow("grid name") << "channel.2.name" << "KV9" << QStringList{"channel 2 name (grid encoding): \"\" -> KV9",
                                                 "channel 2 power (editor encoding): Low -> Middle",
                                                 "channel 2 bandwidth (editor encoding): Narrow -> Wide",
                                                 "channel 2 vox (editor encoding): On -> Off",
                                                 "channel 2 bcl (editor encoding): On -> Off",
                                                 "channel 2 tx stop (editor encoding): On -> Off"};
        QTest::newRow("editor decode") << "channel.2.editor.decode" << "D754N"
                                       << QStringList{"channel 2 decode (grid encoding): OFF -> 67.0",
                                                     "channel 2 encode (grid encoding): OFF -> D311N",
                                                     "channel 2 decode (editor encoding): 67.0 -> D754N"};
        QTest::newRow("editor scan add") << "channel.2.editor.scan_add" << "Off"
                                         << QStringList{"channel 2 scan add (editor encoding): On -> Off"};
        QTest::newRow("editor power") << "channel.2.editor.power" << "Middle"
                                      << QStringList{"channel 2 power (editor encoding): Low -> Middle"};
        QTest::newRow("editor name") << "channel.2.editor.name" << "AB"
                                     << QStringList{"channel 2 name (editor encoding): \"\" -> AB"};
        QTest::newRow("vfo") << "vfo.receive" << "401" << QStringList{"vfo receive: 400.02500 -> 401.00000"};
        QTest::newRow("range") << "range.low" << "410" << QStringList{"range low: 400 -> 410"};
        QTest::newRow("option") << "option.back_light" << "Cont"
                                << QStringList{"option back light: Key -> Cont"};
        QTest::newRow("dtmf") << "dtmf.interval" << "75" << QStringList{"dtmf interval: 50 -> 75"};
        QTest::newRow("fm") << "fm.4" << "98" << QStringList{"fm 4: \"\" -> 98.0"};
        QTest::newRow("scan") << "scan.dropout_delay" << "12" << QStringList{"scan dropout delay: 300 -> 12"};
        QTest::newRow("key") << "key.pf2" << "Monitor" << QStringList{"key pf2: None -> Monitor"};
        QTest::newRow("message") << "message" << "HI" << QStringList{"message: \"\" -> HI"};
    }
    void oneChangeShowsAsItsField()
    {
        QFETCH(QString, id);
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        Codeplug before = sampleImage();
        before.at(2, 12) = 0; // the editor reads channel 2 as CTCSS 67.0, power Low, scanned
        Codeplug after = before;
        QCOMPARE(write(after, id, text), QString());
        const DiffResult result = diffCodeplugs(before, after);
        QCOMPARE(result.lines, lines);
        QCOMPARE(result.exitStatus(), 1);
    }

    void createdAndRemovedChannelsAreOneLine()
    {
        const Codeplug before = sampleImage();
        Codeplug after = before;
        QCOMPARE(write(after, "channel.9.receive", "445.5"), QString());
        QCOMPARE(write(after, "channel.3.receive", ""), QString());
        QCOMPARE(diffCodeplugs(before, after).lines,
                 (QStringList{"channel 3 removed", "channel 9 created: 445.50000"}));
        after = before;
        after.at(0, 5) = 0x12;
        QCOMPARE(diffCodeplugs(before, after).lines, QStringList{"row 0 byte 5: 0xFF -> 0x12"});
    }

    // The last channel is a channel like the first: empty, whatever its
    // other bytes hold, it shows neither fields nor raw bytes; created, it
    // is one line.
    void lastChannelIsAChannel_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("first") << 1;
        QTest::newRow("last") << 128;
    }
    void lastChannelIsAChannel()
    {
        QFETCH(int, n);
        Codeplug before = defaultImage();
        QCOMPARE(before.at(n, 0), quint8(0xFF));
        before.at(n, 10) = 0x04; // left over from an earlier channel
        QCOMPARE(showFields(before, QStringLiteral("channel.%1.*").arg(n)), QString());
        QCOMPARE(showFields(before, QStringLiteral("raw.%1").arg(n)), QString());
        Codeplug after = before;
        QCOMPARE(write(after, QStringLiteral("channel.%1.receive").arg(n), "445.5"), QString());
        QCOMPARE(diffCodeplugs(before, after).lines, QStringList{QStringLiteral("channel %1 created: 445.50000").arg(n)});
        QCOMPARE(diffCodeplugs(after, before, Language::Chinese).lines, QStringList{QStringLiteral("信道 %1 已删除").arg(n)});
    }

    void showListsFieldsAndRawBytes()
    {
        const QString shown = showFields(sampleImage(), "channel.1.*");
        QVERIFY(shown.startsWith("channel.1.receive = 438.12500\nchannel.1.offset = 0.000000\n"));
        QVERIFY(shown.contains("channel.1.power = High\n"));
        QVERIFY(showFields(sampleImage(), "raw.251").startsWith("raw.251 = 0:4C 1:49 2:53"));
        QVERIFY(showFields(sampleImage(), "channel.1.power", Language::Chinese).contains(QString::fromUtf8("= 高    # 信道 1 发射功率")));
        QCOMPARE(showFieldsJson(sampleImage(), "key.pf1").at(0)["text"].toString(), QStringLiteral("None"));
    }

    // Export, then import into the same image and into a cleared one, gives
    // the channel records back byte for byte, in either layout, also after a
    // spreadsheet opened and saved the plan; the generic layout needs no
    // adaptation of a plan it wrote itself. A record that reads like another
    // (direction 3 reads as simplex) comes back onto its own image only.
    void exportThenImportKeepsTheRecords_data()
    {
        QTest::addColumn<Codeplug>("source");
        QTest::addColumn<bool>("generic");
        QTest::addColumn<bool>("spreadsheet");
        QTest::addColumn<bool>("intoCleared");
        Codeplug direction3 = sampleImage();
        direction3.at(2, GridDirectionByte) |= DirectionMask;
        for (bool generic : {false, true}) {
            const char *layout = generic ? "generic" : "kvd9";
            QTest::addRow("sample image, %s", layout) << sampleImage() << generic << false << true;
            QTest::addRow("128-channel plan, %s", layout) << fullChannelPlan() << generic << false << true;
            QTest::addRow("128-channel plan through a spreadsheet, %s", layout) << fullChannelPlan() << generic << true << true;
            QTest::addRow("a channel stored with direction 3, %s", layout) << direction3 << generic << false << false;
        }
    }
    void exportThenImportKeepsTheRecords()
    {
        QFETCH(Codeplug, source);
        QFETCH(bool, generic);
        QFETCH(bool, spreadsheet);
        QFETCH(bool, intoCleared);
        QByteArray csv = generic ? exportGenericCsv(source) : exportCsv(source);
        if (spreadsheet)
            csv = savedBySpreadsheet(csv);
        for (bool replace : intoCleared ? QList<bool>{false, true} : QList<bool>{false}) {
            const Codeplug base = replace ? defaultImage() : source;
            const ImportResult imported =
                generic ? importGenericCsv(csv, base, Language::English, {replace, false}) : importCsv(csv, base, Language::English, replace);
            QVERIFY2(imported.ok, qPrintable(imported.errors.join('\n')));
            QCOMPARE(imported.notes, QStringList());
            for (int n = 1; n <= 128; ++n)
                for (int c = 0; c < RowBytes; ++c)
                    QVERIFY2(imported.image.at(n, c) == source.at(n, c),
                             qPrintable(QStringLiteral("channel %1 byte %2").arg(n).arg(c)));
        }
    }

    // What show prints, set takes back: every field of each image reads as a
    // text that stores the same bytes, offsets below 10 MHz included, and
    // values past a list's end in either language. The images' channels are
    // in the grid's encoding; a receive set through the editor's encoding
    // re-encodes the record as the channel editor does.
    void showThenSetKeepsTheImage_data()
    {
        QTest::addColumn<Codeplug>("image");
        QTest::addColumn<Language>("language");
        QTest::newRow("sample image") << sampleImage() << Language::English;
        QTest::newRow("128-channel plan") << fullChannelPlan() << Language::English;
        Codeplug pastTheEnds = sampleImage();
        pastTheEnds.at(Region::GeneralRow, 6) = 0xF0; // back light and scan way 3
        QTest::newRow("values past the lists' ends, Chinese") << pastTheEnds << Language::Chinese;
        Codeplug offsets = defaultImage();
        const char *const shifts[] = {"0.6", "1.6", "7.6", "9.995", "10"};
        for (int n = 1; n <= 5; ++n) {
            const double tx = 439.875 - QString::fromLatin1(shifts[n - 1]).toDouble();
            const QString id = QStringLiteral("channel.%1.").arg(n);
            if (!write(offsets, id + "receive", "439.875").isEmpty()
                || !write(offsets, id + "transmit", QString::number(tx, 'f', 5)).isEmpty())
                qFatal("channel %d not set", n);
        }
        QTest::newRow("offsets below and at 10 MHz") << offsets << Language::English;
    }
    void showThenSetKeepsTheImage()
    {
        QFETCH(Codeplug, image);
        QFETCH(Language, language);
        for (const Field &f : fieldCatalogue()) {
            const QString shown = readField(image, f, language);
            Codeplug again = image;
            const QString refused = writeField(again, f, shown, language);
            QVERIFY2(refused.isEmpty(), qPrintable(f.id + " = " + shown + ": " + refused));
            QVERIFY2(again == image, qPrintable(f.id + " = " + shown + " changed the image"));
        }
    }

    // Every shift the grid can hold, 5 kHz apart, plus and minus from the
    // band's edges, comes back from the generic layout's export and import
    // byte for byte.
    void genericExportKeepsEveryOffset()
    {
        const auto roundTrip = [](const Codeplug &source) {
            const ImportResult imported = importGenericCsv(exportGenericCsv(source), defaultImage(), Language::English, {true, false});
            QVERIFY2(imported.ok, qPrintable(imported.errors.join('\n')));
            const QString transmit = QStringLiteral("channel.%1.transmit");
            for (int n = 1; n <= 128; ++n)
                for (int c = 0; c < RowBytes; ++c)
                    if (imported.image.at(n, c) != source.at(n, c))
                        QFAIL(qPrintable(QStringLiteral("channel %1: transmit %2 came back as %3")
                                             .arg(n)
                                             .arg(readField(source, field(transmit.arg(n)), Language::English),
                                                  readField(imported.image, field(transmit.arg(n)), Language::English))));
        };
        Codeplug image = defaultImage();
        int n = 0;
        for (int khz = 0; khz < 70000; khz += 5) {
            for (const bool plus : {true, false}) {
                const double rx = plus ? 400.0 : 469.995, tx = rx + (plus ? khz : -khz) / 1000.0;
                const QString id = QStringLiteral("channel.%1.").arg(++n);
                if (!write(image, id + "receive", QString::number(rx, 'f', 5)).isEmpty()
                    || !write(image, id + "transmit", QString::number(tx, 'f', 5)).isEmpty())
                    QFAIL(qPrintable(QStringLiteral("%1 kHz not set").arg(khz)));
                if (n == 128) {
                    roundTrip(image);
                    if (QTest::currentTestFailed())
                        return;
                    image = defaultImage();
                    n = 0;
                }
            }
        }
        if (n > 0)
            roundTrip(image);
        if (QTest::currentTestFailed())
            return;

        // The band's edges on the 6.25 kHz raster, with the offsets whose
        // texts once had two points.
        Codeplug edges = defaultImage();
        n = 0;
        for (const double shift : {0.0, 0.6, 1.6, 7.6, 9.995, 10.0, 69.9875}) {
            for (const bool plus : {true, false}) {
                const double rx = plus ? 400.00625 : 469.99375, tx = rx + (plus ? shift : -shift);
                const QString id = QStringLiteral("channel.%1.").arg(++n);
                QCOMPARE(write(edges, id + "receive", QString::number(rx, 'f', 5)), QString());
                QCOMPARE(write(edges, id + "transmit", QString::number(tx, 'f', 5)), QString());
            }
        }
        roundTrip(edges);
        if (QTest::currentTestFailed())
            return;

        // Split rows name the transmit frequency itself; exported again they
        // come back as a shift, and a DTCS row's receive code is its own.
        const ImportResult split = importGenericCsv("Location,Frequency,Duplex,Offset,Tone,DtcsCode\r\n"
                                                    "1,400.000000,split,469.995000,,\r\n"
                                                    "2,469.993750,split,400.006250,,\r\n"
                                                    "3,438.500000,split,438.500000,DTCS,754\r\n",
                                                    defaultImage(), Language::English, {true, false});
        QVERIFY2(split.ok, qPrintable(split.errors.join('\n')));
        QCOMPARE(read(split.image, "channel.1.transmit"), QStringLiteral("469.99500"));
        QCOMPARE(read(split.image, "channel.2.transmit"), QStringLiteral("400.00625"));
        QVERIFY(exportGenericCsv(split.image).contains(",DTCS,88.5,88.5,754,NN,754,"));
        roundTrip(split.image);
    }

    // Names a spreadsheet would read as a date or number are marked as text.
    void exportWritesTheGridTexts()
    {
        Codeplug image = sampleImage();
        QCOMPARE(write(image, "channel.1.name", "MAR1"), QString());
        QCOMPARE(write(image, "channel.2.name", "A B"), QString());
        QCOMPARE(write(image, "channel.3.name", "MARS1"), QString());
        QCOMPARE(exportCsv(image),
                 QByteArray("channel,receive,transmit,decode,encode,power,bandwidth,name\r\n"
                            "1,438.12500,438.12500,OFF,OFF,High,Wide,'MAR1\r\n"
                            "2,439.00000,439.00000,OFF,OFF,High,Wide,A B\r\n"
                            "3,440.50000,440.50000,OFF,OFF,High,Wide,MARS1\r\n"));
    }

    void badInputIsRefusedLineByLine_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QStringList>("errors");
        const QByteArray header = "channel,receive,transmit,decode,encode,power,bandwidth,name\n";
        QTest::newRow("unknown column") << QByteArray("channel,receive,colour\n1,438,red\n")
                                        << QStringList{"line 1: unknown column \"colour\""};
        QTest::newRow("duplicate channel")
            << header + "4,438,,,,,,\n4,439,,,,,,\n"
            << QStringList{"line 3: channel 4 appears twice (first on line 2)"};
        QTest::newRow("channel outside 1..128")
            << header + "0,438,,,,,,\n129,438,,,,,,\nx,438,,,,,,\n"
            << QStringList{"line 2: channel \"0\" is outside 1..128", "line 3: channel \"129\" is outside 1..128",
                           "line 4: channel \"x\" is outside 1..128"};
        QTest::newRow("frequency out of range or unparsable")
            << header + "1,470,,,,,,\n2,438,399,,,,,\n3,438;5,,,,,,\n4,438,1e3,,,,,\n"
            << QStringList{"line 2: receive: 470 is outside the working range 400..470 MHz",
                           "line 3: transmit: 399 is outside the working range 400..470 MHz",
                           "line 4: receive: \"438;5\" is not a frequency",
                           "line 5: transmit: \"1e3\" is not a frequency"};
        QTest::newRow("unknown tone") << header + "1,438,438,67.1,OFF,,,\n"
                                      << QStringList{"line 2: decode: unknown tone \"67.1\""};
        QTest::newRow("number next to a tone") << header + "1,438,438,OFF,67.05,,,\n"
                                               << QStringList{"line 2: encode: unknown tone \"67.05\""};
        QTest::newRow("row shorter than the header") << header + "1,445\n2,438,,,,,,\n"
                                                     << QStringList{"line 2: fewer fields than columns (2 of 8)"};
        QTest::newRow("quote never closed") << header + "1,438,,,,,,\"RPT 1\n2,438,,,,,,\n"
                                            << QStringList{"line 2: the quote opened here is never closed"};
        QTest::newRow("quote never closed, the lines after it still checked")
            << header + "1,438,,,,\"High,,RPT\n2,438,,,,Strong,,\n3,438,,,,,,\n"
            << QStringList{"line 2: the quote opened here is never closed",
                           "line 3: power: \"Strong\" is not one of: Low, High"};
        QTest::newRow("name character outside the set")
            << header + "1,438,,,,,,A&B\n"
            << QStringList{"line 2: name: \"A&B\" holds a character outside 0-9 A-Z - _ + * and space"};
        QTest::newRow("power word") << header + "1,438,,,,Strong,,\n"
                                    << QStringList{"line 2: power: \"Strong\" is not one of: Low, High"};
        QTest::newRow("not UTF-8") << header + "1,438,,,,,,\xff\xfe\n"
                                   << QStringList{"the file is not valid UTF-8"};
        QTest::newRow("larger than 1 MB") << header + QByteArray(MaxCsvBytes, '\n')
                                          << QStringList{"the file is larger than 1 MB"};
    }
    void badInputIsRefusedLineByLine()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QStringList, errors);
        const ImportResult result = importCsv(csv, sampleImage(), Language::English, false);
        QVERIFY(!result.ok);
        QCOMPARE(result.exitStatus(), 1);
        QCOMPARE(result.errors, errors);
    }

    // Spreadsheets' files, and the cells a spreadsheet rewrote: a tone as a
    // number, a name marked as text, a frequency off the raster (noted).
    void spreadsheetFilesImport_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QStringList>("notes");
        QTest::newRow("German spreadsheet") << QByteArray(
            "\xef\xbb\xbf\"Channel\";\"RX Frequency\";\"TX Frequency\";\"CTCSS/DCS Dec\";\"CTCSS/DCS Enc\";"
            "\"TX Power\";\"W/N\";\"Name\"\r\n"
            "\"7\";\"445.5\";\"440.5\";\"D023I\";\"67.0\";\"Low\";\"Narrow\";\"RPT 1\"\r\n") << QStringList();
        QTest::newRow("Chinese headers, any order") << QByteArray(
            "信道名称,信道带宽,发射功率,接收频率(MHZ),信道号\n\"RPT 1\",窄带,低,445.50000,7\n") << QStringList();
        QTest::newRow("cells a spreadsheet rewrote")
            << QByteArray("channel,receive,transmit,decode,encode,power,bandwidth,name\r\n"
                          "7,445.5001,440.5,D023I,067.00,Low,Narrow,'RPT 1\r\n")
            << QStringList{"line 2: receive 445.5001 snapped to 445.50000"};
    }
    void spreadsheetFilesImport()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QStringList, notes);
        const ImportResult result = importCsv(csv, sampleImage(), Language::English, false);
        QVERIFY2(result.ok, qPrintable(result.errors.join('\n')));
        QCOMPARE(result.notes, notes);
        QCOMPARE(read(result.image, "channel.7.receive"), QString("445.50000"));
        QCOMPARE(read(result.image, "channel.7.power"), QString("Low"));
        QCOMPARE(read(result.image, "channel.7.bandwidth"), QString("Narrow"));
        QCOMPARE(read(result.image, "channel.7.name"), QString("RPT 1"));
        QCOMPARE(read(result.image, "channel.1.receive"), QString("438.12500"));
        if (csv.contains("D023I")) {
            QCOMPARE(read(result.image, "channel.7.transmit"), QString("440.50000"));
            QCOMPARE(read(result.image, "channel.7.decode"), QString("D023I"));
            QCOMPARE(read(result.image, "channel.7.encode"), QString("67.0"));
        }
        QCOMPARE(importCsv(csv, sampleImage(), Language::English, true).image.at(1, 0), quint8(0xFF));
    }

    // The dealer's round: export, edit in a spreadsheet, import, diff; a
    // refused import leaves no output file behind.
    void commandsRunThePlanRound()
    {
        QTemporaryDir dir;
        const QString master = dir.filePath("master.chann"), plan = dir.filePath("plan.csv");
        const QString job = dir.filePath("job.chann");
        QString error;
        QVERIFY(saveCodeplugFile(master, sampleImage(), error, Language::English));
        QCOMPARE(runExportCsv(master, plan, Language::English).status, 0);
        QFile csv(plan);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QByteArray edited = csv.readAll().replace("2,439.00000,439.00000", "2,439.00000,444.00000");
        csv.close();
        const auto saveCsv = [&](const QByteArray &text) {
            QFile out(plan);
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(text);
        };
        saveCsv(edited);
        QCOMPARE(runImportCsv(plan, master, job, Language::English, false).status, 0);
        const CommandResult diff = runDiff(master, job, Language::English);
        QCOMPARE(diff.status, 1);
        QCOMPARE(diff.output, QByteArray("channel 2 offset (grid encoding): 0.000000 -> 5.000000\n"
                                          "channel 2 transmit (grid encoding): 439.00000 -> 444.00000\n"
                                          "channel 2 direction (grid encoding): Off -> Plus\n"));
        QCOMPARE(runDiff(job, job, Language::English).status, 0);
        QVERIFY(runShow(job, "channel.2.transmit", Language::English, false).output == "channel.2.transmit = 444.00000\n");

        QFile::remove(job);
        saveCsv(edited + "2,999,,,,,,\n");
        const CommandResult refused = runImportCsv(plan, master, job, Language::English, false);
        QCOMPARE(refused.status, 1);
        QVERIFY(refused.errors.startsWith(plan + ": line 5: channel 2 appears twice"));
        QVERIFY(!QFile::exists(job));
        QCOMPARE(runShow(dir.filePath("missing.chann"), {}, Language::English, false).status, SourceFailed);
        QCOMPARE(runShow("radio:1", {}, Language::English, false).status, SourceFailed);
    }

    // Read, write, diff and export on two images from two threads at once
    // give what they give one after the other, and the windows' image is
    // never touched. The images differ in their working ranges, so that a
    // rule reading a shared range would answer differently.
    void twoImagesAtOnceFromTwoThreads()
    {
        struct Outcome {
            QStringList fields;
            QStringList refusals;
            Codeplug written;
            QStringList diff;
            QByteArray csv;
            bool operator==(const Outcome &o) const
            {
                return fields == o.fields && refusals == o.refusals && written == o.written && diff == o.diff
                    && csv == o.csv;
            }
        };
        const auto work = [](const Codeplug &image) {
            Outcome o{readAllFields(image, Language::English), {}, image, {}, {}};
            for (const auto &[id, text] : {std::pair{"channel.7.receive", "441.5"}, {"channel.7.transmit", "446.5"},
                                           {"channel.2.editor.transmit", "402"}, {"vfo.receive", "445"},
                                           {"vfo.direction", "+"}, {"option.priority_scan", "On"},
                                           {"range.high", "446"}, {"fm.3", "99.9"}})
                o.refusals << write(o.written, id, text);
            o.diff = diffCodeplugs(image, o.written).lines;
            o.csv = exportCsv(o.written);
            return o;
        };
        const Codeplug a = sampleImage();
        Codeplug b = sampleImage();
        for (const auto &[id, text] : {std::pair{"range.low", "435"}, {"range.high", "450"}})
            QCOMPARE(write(b, id, text), QString());
        const Outcome expectedA = work(a), expectedB = work(b);
        QVERIFY(!(expectedA == expectedB));

        for (int r = 0; r < RadioRows; ++r)
            for (int c = 0; c < RowBytes; ++c)
                Img(r, c) = qint16((r * 7 + c) % 256);
        const QVector<qint16> global = imageCells();
        std::atomic<int> wrong{0}, running{2};
        const auto repeat = [&](const Codeplug &image, const Outcome &expected) {
            for (int i = 0; i < 20; ++i)
                if (!(work(image) == expected))
                    ++wrong;
            --running;
        };
        std::thread first(repeat, std::cref(a), std::cref(expectedA));
        std::thread second(repeat, std::cref(b), std::cref(expectedB));
        int globalChanged = 0;
        while (running > 0)
            globalChanged += imageCells() != global;
        first.join();
        second.join();
        QCOMPARE(wrong.load(), 0);
        QCOMPARE(globalChanged, 0);
        QVERIFY(imageCells() == global);
    }
};

QTEST_GUILESS_MAIN(TestFieldCatalogue)
#include "tst_field_catalogue.moc"
