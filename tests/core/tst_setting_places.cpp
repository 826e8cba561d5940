// The table of the settings' places and the rules beside it: each id owns
// exactly its bits, and the rules behave at their edges as the windows do.
#include "core/ChannelRecord.h"
#include "core/Codecs.h"
#include "core/SettingPlaces.h"
#include "core/SettingsChoices.h"
#include "core/SettingsRules.h"

#include <QRegularExpression>
#include <QTest>

namespace {

constexpr WorkRange Range{400, 470};

// The bits of each byte that a place covers.
QVector<std::pair<int, int>> placeBytes(const SettingPlace &p)
{
    QVector<std::pair<int, int>> bytes;
    for (int k = 0; k < p.width; ++k)
        bytes.append({p.row * RowBytes + p.byte + k, p.mask});
    return bytes;
}

int largestValue(const SettingPlace &p)
{
    int bits = p.mask;
    while (!(bits & 1))
        bits >>= 1;
    return p.width == 2 ? 0xFFFF : bits;
}

Codeplug defaultImage()
{
    Codeplug image;
    InitDefaultImage(image);
    return image;
}

// "row:byte=value,..." as (row, byte, value); a value may be hexadecimal.
QVector<std::array<int, 3>> pokes(const QString &text)
{
    QVector<std::array<int, 3>> list;
    for (const QString &poke : text.split(',', Qt::SkipEmptyParts)) {
        const QStringList at = poke.split(QRegularExpression("[:=]"));
        list.append({at[0].toInt(), at[1].toInt(), at[2].toInt(nullptr, 0)});
    }
    return list;
}

Codeplug defaultImageWith(const QString &setup)
{
    Codeplug image = defaultImage();
    for (const auto &[row, byte, value] : pokes(setup))
        image.at(row, byte) = qint16(value);
    return image;
}

void setVfo(Codeplug &image, double rx, double offset, int direction)
{
    Frequency::fromMHz(rx).store(image, Region::VfoRow, 0);
    Frequency::fromMHz(offset).store(image, Region::VfoRow, 4);
    storeSetting(image, SettingId::VfoDirection, direction);
}

} // namespace

class TestSettingPlaces : public QObject {
    Q_OBJECT

private slots:

    // Every value written on either background reads back, and no bit
    // outside the place changes; a stored set bit of an inverted place
    // reads as off.
    void eachIdOwnsExactlyItsBits()
    {
        for (int i = 0; i < SettingCount; ++i) {
            const SettingPlace &p = settingPlace(SettingId(i));
            QCOMPARE(int(p.id), i);
            for (int background : {0x00, 0xFF, 0xA5}) {
                Codeplug image;
                for (int a = 0; a < Codeplug::Size; ++a)
                    image.at(a / RowBytes, a % RowBytes) = qint16(background);
                for (int value : {0, 1, largestValue(p) / 2, largestValue(p)}) {
                    Codeplug written = image;
                    storeSetting(written, p.id, value);
                    QCOMPARE(storedSetting(written, p.id), value);
                    for (int a = 0; a < Codeplug::Size; ++a) {
                        int mask = 0;
                        for (const auto &[address, bits] : placeBytes(p))
                            mask |= address == a ? bits : 0;
                        QVERIFY2((written.byte(a) & ~mask) == (image.byte(a) & ~mask),
                                 qPrintable(QStringLiteral("%1 changed address %2").arg(p.key).arg(a)));
                    }
                }
            }
            if (p.inverted) {
                Codeplug image;
                storeSetting(image, p.id, 1);
                QCOMPARE(image.at(p.row, p.byte) & p.mask, 0);
                QCOMPARE(settingValue(image, p.id), 1);
            }
        }
    }

    void noTwoIdsShareABit()
    {
        QHash<int, std::pair<int, SettingId>> owner; // address -> bits, first id
        for (int i = 0; i < SettingCount; ++i) {
            const SettingPlace &p = settingPlace(SettingId(i));
            for (const auto &[address, bits] : placeBytes(p)) {
                auto &[covered, first] = owner[address];
                QVERIFY2(!(covered & bits), qPrintable(QStringLiteral("setting %1 overlaps setting %2 at address %3")
                                                           .arg(i)
                                                           .arg(int(first))
                                                           .arg(address)));
                if (!covered)
                    first = p.id;
                covered |= bits;
            }
        }
    }

    // "setting=stored bytes" on the default image, then what a control shows.
    void valuesAtTheEdges_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("shown");
        const auto row = [](const char *name, const char *setup, SettingId id, int shown) {
            QTest::newRow(name) << QString::fromLatin1(setup) << int(id) << shown;
        };
        using S = SettingId;
        row("priority channel 0 shows 1", "252:8=0", S::PriorityChannel, 1);
        row("priority channel 128", "252:8=128", S::PriorityChannel, 128);
        row("priority channel 200 shows 128", "252:8=200", S::PriorityChannel, 128);
        row("scan kind 3 reads as selected", "240:0=3", S::ScanPriority, SelectedPriority);
        row("scan channel 16, fixed", "240:0=1,240:1=16", S::ScanPriorityChannel, 16);
        row("scan channel 17, fixed", "240:0=1,240:1=17", S::ScanPriorityChannel, 0);
        row("scan channel 0, fixed", "240:0=1,240:1=0", S::ScanPriorityChannel, 0);
        row("scan channel 5, selected", "240:0=2,240:1=5", S::ScanPriorityChannel, 0);
        row("dropout 300 in two bytes", "240:5=44,240:6=1", S::DropoutDelay, 300);
        row("dropout 301 shows 300", "240:5=45,240:6=1", S::DropoutDelay, 300);
        row("dwell 256 needs the high byte", "240:7=0,240:8=1", S::TxDwell, 256);
        row("look-back byte 1 is item 0", "240:2=1", S::LookBackA, 0);
        row("look-back byte 200 is item 89", "240:3=200", S::LookBackB, 89);
        row("revert 3, selected, is item 1", "240:0=2,240:4=3", S::Revert, 1);
        row("revert 3, none, is the last item", "240:0=0,240:4=3", S::Revert, 1);
        row("key code 0 is autodial", "240:13=0", S::Pf1, 1);
        row("key code 12 is none", "240:14=12", S::Pf2, 0);
        row("manual set-up bit clear is on", "252:12=0", S::ManualSetup, 1);
        row("send stop code bit set is off", "252:12=32", S::SendStopCode, 0);
    }
    void valuesAtTheEdges()
    {
        QFETCH(QString, setup);
        QFETCH(int, id);
        QFETCH(int, shown);
        QCOMPARE(settingValue(defaultImageWith(setup), SettingId(id)), shown);
    }

    void rulesOfStoring_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QString>("after"); // row:byte=value, each checked
        using S = SettingId;
        const auto row = [](const char *name, const char *setup, S id, int value, bool stored, const char *after) {
            QTest::newRow(name) << QString::fromLatin1(setup) << int(id) << value << stored << QString::fromLatin1(after);
        };
        row("scan channel 16", "240:0=1", S::ScanPriorityChannel, 16, true, "240:1=16");
        row("scan channel 17 refused", "240:0=1,240:1=3", S::ScanPriorityChannel, 17, false, "240:1=3");
        row("scan channel none", "240:0=1,240:1=3", S::ScanPriorityChannel, 0, true, "240:1=255");
        row("scan channel while not fixed", "240:0=2,240:1=3", S::ScanPriorityChannel, 4, false, "240:1=3");
        row("dropout 300", "", S::DropoutDelay, 300, true, "240:5=44,240:6=1");
        row("dropout 301 refused", "240:5=7,240:6=0", S::DropoutDelay, 301, false, "240:5=7,240:6=0");
        row("kind none limits the revert", "240:0=1,240:4=3", S::ScanPriority, NoPriority, true, "240:0=0,240:4=1");
        row("kind selected shifts the revert", "240:0=1,240:4=1", S::ScanPriority, SelectedPriority, true,
            "240:0=2,240:4=3");
        row("revert item under selected", "240:0=2", S::Revert, 0, true, "240:4=2");
        row("look-back item 0", "", S::LookBackA, 0, true, "240:2=0");
        row("look-back item 1", "", S::LookBackA, 1, true, "240:2=2");
        row("key autodial", "", S::Pf1, 1, true, "240:13=0");
        row("key none", "", S::Pf2, 0, true, "240:14=255");
        row("only channel selects channel mode", "252:5=0", S::OnlyChannel, 1, true, "252:5=33");
        row("priority scan without a channel", "252:6=0,252:8=0", S::PriorityScan, 1, false, "252:6=0,252:8=0");
        row("priority scan takes the first channel", "7:0=0,7:1=0,7:2=0,7:3=0x44,252:6=0", S::PriorityScan, 1, true,
            "252:6=8,252:8=7");
        row("manual set-up on clears its bit", "252:12=255", S::ManualSetup, 1, true, "252:12=239");
    }
    void rulesOfStoring()
    {
        QFETCH(QString, setup);
        QFETCH(int, id);
        QFETCH(int, value);
        QFETCH(bool, stored);
        QFETCH(QString, after);
        Codeplug image = defaultImageWith(setup);
        const Codeplug before = image;
        QCOMPARE(setSetting(image, SettingId(id), value), stored);
        if (!stored)
            QVERIFY(image == before);
        for (const auto &[r, c, v] : pokes(after))
            QCOMPARE(int(image.at(r, c)), v);
    }

    void powerLevelNamesTheLevelAdjusted()
    {
        Codeplug image = defaultImage();
        storePowerLevel(image, PowerLevel::High, 200);
        QCOMPARE(int(image.at(Region::PowerRow, 1)), 200);
        QCOMPARE(int(image.at(Region::PowerRow, 2)), 1);
        storePowerLevel(image, PowerLevel::Low, 0);
        QCOMPARE(int(image.at(Region::PowerRow, 0)), 0);
        QCOMPARE(int(image.at(Region::PowerRow, 2)), 0);
        QCOMPARE(powerLevel(image, PowerLevel::High), 200);
        QCOMPARE(int(image.at(Region::PowerRow, 3)), 255);
    }

    // A shift that leaves the range 400..470 (upper limit outside) is
    // turned off; a stored direction 3 counts as the minus its list shows.
    void vfoShiftLeavingTheRange_data()
    {
        QTest::addColumn<double>("rx");
        QTest::addColumn<double>("offset");
        QTest::addColumn<int>("direction");
        QTest::addColumn<bool>("kept");
        QTest::newRow("465 plus 10") << 465.0 << 10.0 << 1 << false;
        QTest::newRow("405 minus 10") << 405.0 << 10.0 << 2 << false;
        QTest::newRow("460 plus 10 reaches the upper limit") << 460.0 << 10.0 << 1 << false;
        QTest::newRow("460 plus 9.9875") << 460.0 << 9.9875 << 1 << true;
        QTest::newRow("410 minus 10 reaches the lower limit") << 410.0 << 10.0 << 2 << true;
        QTest::newRow("405 stored 3 is minus") << 405.0 << 10.0 << 3 << false;
        QTest::newRow("415 stored 3") << 415.0 << 10.0 << 3 << true;
        QTest::newRow("off checks the receive frequency") << 405.0 << 10.0 << 0 << true;
        QTest::newRow("off, receive at the upper limit") << 470.0 << 10.0 << 0 << false;
    }
    void vfoShiftLeavingTheRange()
    {
        QFETCH(double, rx);
        QFETCH(double, offset);
        QFETCH(int, direction);
        QFETCH(bool, kept);
        Codeplug image = defaultImage();
        setVfo(image, rx, offset, direction);
        storeSetting(image, SettingId::VfoPower, 1);
        const Codeplug before = image;
        QCOMPARE(keepVfoShiftInRange(image, Range), kept);
        QCOMPARE(storedSetting(image, SettingId::VfoDirection), kept ? direction : 0);
        storeSetting(image, SettingId::VfoDirection, direction);
        QVERIFY(image == before);
    }

    // Channel 3 empty, or receiving 438 with a plus shift to 443; entry 0
    // is an emptied box.
    void commitTransmitByEncoding_data()
    {
        QTest::addColumn<bool>("inUse");
        QTest::addColumn<int>("encoding");
        QTest::addColumn<double>("entry");
        QTest::addColumn<bool>("committed");
        QTest::addColumn<QString>("transmit");
        QTest::addColumn<int>("direction");
        const int grid = int(ChannelEncoding::Grid), editor = int(ChannelEncoding::Editor);
        QTest::newRow("grid, empty channel") << false << grid << 433.0 << false << "" << 3;
        QTest::newRow("editor, empty channel") << false << editor << 433.0 << false << "" << 3;
        QTest::newRow("grid, emptied: simplex") << true << grid << 0.0 << true << "438" << 0;
        QTest::newRow("editor, emptied: kept") << true << editor << 0.0 << true << "443" << 1;
        QTest::newRow("grid, minus") << true << grid << 433.0 << true << "433" << 2;
        QTest::newRow("editor, minus") << true << editor << 433.0 << true << "433" << 2;
        QTest::newRow("grid, outside the range kept") << true << grid << 472.0 << true << "472" << 1;
        QTest::newRow("editor, outside the range dropped") << true << editor << 472.0 << true << "438" << 0;
    }
    void commitTransmitByEncoding()
    {
        QFETCH(bool, inUse);
        QFETCH(int, encoding);
        QFETCH(double, entry);
        QFETCH(bool, committed);
        QFETCH(QString, transmit);
        QFETCH(int, direction);
        const ChannelEncoding e = ChannelEncoding(encoding);
        const int directionByte = directionByteOf(e);
        Codeplug image = defaultImage();
        if (inUse) {
            commitReceive(image, 3, Frequency::fromMHz(438), e, Range);
            storeTransmitFrequency(image, 3, Frequency::fromMHz(443), directionByte);
        }
        const Codeplug before = image;
        const std::optional<Frequency> tx = entry ? std::optional(Frequency::fromMHz(entry)) : std::nullopt;
        QCOMPARE(commitTransmit(image, 3, tx, e, Range), committed);
        if (!committed) {
            QVERIFY(image == before);
            return;
        }
        QVERIFY(channelTransmit(image, 3, directionByte) == Frequency::fromMHz(transmit.toDouble()));
        QCOMPARE(image.at(3, directionByte) >> 6, direction);
        QCOMPARE(Frequency::read(image, 3, 0), Frequency::fromMHz(438));
    }
};

QTEST_MAIN(TestSettingPlaces)
#include "tst_setting_places.moc"
