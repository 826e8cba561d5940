#include "core/Codecs.h"
#include "core/Codeplug.h"
#include "core/Frequency.h"
#include "core/NumberText.h"
#include "core/WorkingRange.h"

#include <QTest>

namespace {

QList<int> fieldBytes(const FreqField &field) { return {field[0], field[1], field[2], field[3]}; }

QList<int> storedBytes(const Codeplug &image, int row, int column)
{
    return {image.at(row, column), image.at(row, column + 1), image.at(row, column + 2), image.at(row, column + 3)};
}

} // namespace

class TestFrequency : public QObject {
    Q_OBJECT
private slots:
    void truncatedEntry_data();
    void truncatedEntry();
    void unencodableRefused_data();
    void unencodableRefused();
    void rasterRoundTrip();
    void snappedEntry_data();
    void snappedEntry();
    void frequencySteps_data();
    void frequencySteps();
    void frequencyOfField_data();
    void frequencyOfField();
    void workingRange_data();
    void workingRange();
};

// An entry's text cut to 10 Hz steps, as the VFO's boxes store it.
void TestFrequency::truncatedEntry_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("bytes");
    QTest::newRow("438.125") << "438.12500" << QList<int>{0x00, 0x25, 0x81, 0x43};
    QTest::newRow("88.9875") << "88.987500" << QList<int>{0x50, 0x87, 0x89, 0x08};
    QTest::newRow("438.00625") << "438.00625" << QList<int>{0x25, 0x06, 0x80, 0x43};
    QTest::newRow("spaces around") << "  145.53  " << QList<int>{0x00, 0x30, 0x55, 0x14};
    QTest::newRow("largest") << "999.99999" << QList<int>{0x99, 0x99, 0x99, 0x99};
    QTest::newRow("zero") << "0" << QList<int>{0, 0, 0, 0};
    QTest::newRow("digits past 10 Hz dropped") << "438.123459" << QList<int>{0x45, 0x23, 0x81, 0x43};
}

void TestFrequency::truncatedEntry()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, bytes);
    const std::optional<Frequency> f = Frequency::truncated(numericValue(text));
    QVERIFY(f);
    QCOMPARE(fieldBytes(f->field()), bytes);
}

// A value that cannot be encoded is neither cut nor snapped: nothing is
// there to store.
void TestFrequency::unencodableRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("1000 MHz") << "1000";
    QTest::newRow("above") << "1666.66665";
    QTest::newRow("negative") << "-1";
}

void TestFrequency::unencodableRefused()
{
    QFETCH(QString, text);
    QVERIFY(!isEncodableFrequency(numericValue(text)));
    QVERIFY(!Frequency::truncated(numericValue(text)));
    QVERIFY(!Frequency::snapped(numericValue(text)));
    QVERIFY(!Frequency::fromMHz(numericValue(text)).isEncodable());
}

// Every 5 kHz and 6.25 kHz raster point of the band survives the trip
// through the field and its text, and snapping leaves it where it is.
void TestFrequency::rasterRoundTrip()
{
    for (const double step : {5.0, 6.25}) {
        for (long k = 0;; ++k) {
            const double khz = 400000.0 + step * k;
            if (khz > 470000.0)
                break;
            const std::optional<Frequency> f = Frequency::truncated(khz / 1000);
            QVERIFY(f);
            const FreqField field = f->field();
            const QString back = FreqFromBytes(field[0], field[1], field[2], field[3]);
            if (std::abs(numericValue(back) * 1000 - khz) > 1e-6)
                QFAIL(qPrintable(QStringLiteral("%1 kHz came back as %2").arg(khz).arg(back)));
            const std::optional<Frequency> snapped = Frequency::snapped(numericValue(back));
            QVERIFY(snapped && *snapped == *f);
        }
    }
}

// A channel entry snapped down onto the raster and stored: the snapped
// value and the bytes it leaves.
void TestFrequency::snappedEntry_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<double>("snapped");
    QTest::addColumn<QList<int>>("bytes");
    QTest::newRow("on 6.25 raster") << "438.0125" << 438.0125 << QList<int>{0x50, 0x12, 0x80, 0x43};
    QTest::newRow("nearer 5 kHz below") << "438.0124" << 438.01 << QList<int>{0x00, 0x10, 0x80, 0x43};
    QTest::newRow("whole MHz") << "438" << 438.0 << QList<int>{0x00, 0x00, 0x80, 0x43};
    QTest::newRow("down to 5 kHz") << "438.006" << 438.005 << QList<int>{0x00, 0x05, 0x80, 0x43};
    QTest::newRow("down to whole") << "438.004" << 438.0 << QList<int>{0x00, 0x00, 0x80, 0x43};
    QTest::newRow("VHF") << "145.53" << 145.53 << QList<int>{0x00, 0x30, 0x55, 0x14};
    QTest::newRow("below 100") << "88.9875" << 88.9875 << QList<int>{0x50, 0x87, 0x89, 0x08};
    QTest::newRow("two digits") << "88" << 88.0 << QList<int>{0x00, 0x00, 0x80, 0x08};
    QTest::newRow("one digit") << "5" << 5.0 << QList<int>{0x00, 0x00, 0x50, 0x00};
    QTest::newRow("below 10 with a fraction") << "7.6" << 7.6 << QList<int>{0x00, 0x00, 0x76, 0x00};
}

void TestFrequency::snappedEntry()
{
    QFETCH(QString, entry);
    QFETCH(double, snapped);
    QFETCH(QList<int>, bytes);
    const std::optional<Frequency> f = Frequency::snapped(numericValue(entry));
    QVERIFY(f);
    QCOMPARE(f->mhz(), snapped);
    Codeplug image;
    f->store(image, 7, 4);
    QCOMPARE(storedBytes(image, 7, 4), bytes);
    QCOMPARE(image.at(7, 3), quint8(0));
    QCOMPARE(image.at(7, 8), quint8(0));
}

// A value in MHz read into 10 Hz steps: cut digit by digit, and snapped
// onto the raster; -1 where the value cannot be encoded.
void TestFrequency::frequencySteps_data()
{
    QTest::addColumn<double>("mhz");
    QTest::addColumn<qint64>("truncated");
    QTest::addColumn<qint64>("snapped");
    QTest::newRow("on the 6.25 raster") << 438.00625 << qint64(43800625) << qint64(43800625);
    QTest::newRow("1 Hz below a raster point") << 438.006249 << qint64(43800624) << qint64(43800500);
    QTest::newRow("tie goes to 5 kHz") << 438.0 << qint64(43800000) << qint64(43800000);
    QTest::newRow("zero") << 0.0 << qint64(0) << qint64(0);
    QTest::newRow("highest") << 999.99999 << qint64(99999999) << qint64(99999500);
    QTest::newRow("1000 MHz") << 1000.0 << qint64(-1) << qint64(-1);
    QTest::newRow("negative") << -0.00001 << qint64(-1) << qint64(-1);
}

void TestFrequency::frequencySteps()
{
    QFETCH(double, mhz);
    QFETCH(qint64, truncated);
    QFETCH(qint64, snapped);
    const auto steps = [](std::optional<Frequency> f) { return f ? f->steps() : qint64(-1); };
    QCOMPARE(steps(Frequency::truncated(mhz)), truncated);
    QCOMPARE(steps(Frequency::snapped(mhz)), snapped);
}

// A field's value in steps, nibbles above 9 counted with their value; in
// MHz exactly what its text reads as; and back to the same bytes where the
// value can be encoded.
void TestFrequency::frequencyOfField_data()
{
    QTest::addColumn<QList<int>>("bytes");
    QTest::addColumn<qint64>("steps");
    QTest::addColumn<bool>("decimal");
    QTest::newRow("438.12500") << QList<int>{0x00, 0x25, 0x81, 0x43} << qint64(43812500) << true;
    QTest::newRow("88.98750") << QList<int>{0x50, 0x87, 0x89, 0x08} << qint64(8898750) << true;
    QTest::newRow("7.6 offset") << QList<int>{0x00, 0x00, 0x76, 0x00} << qint64(760000) << true;
    QTest::newRow("zero") << QList<int>{0, 0, 0, 0} << qint64(0) << true;
    QTest::newRow("nibble above 9") << QList<int>{0x0A, 0x00, 0x00, 0x40} << qint64(40000010) << false;
    QTest::newRow("four 255 bytes") << QList<int>{255, 255, 255, 255} << qint64(166666665) << false;
}

void TestFrequency::frequencyOfField()
{
    QFETCH(QList<int>, bytes);
    QFETCH(qint64, steps);
    QFETCH(bool, decimal);
    Codeplug image;
    for (int i = 0; i < 4; ++i)
        image.at(3, 2 + i) = qint16(bytes[i]);
    const Frequency f = Frequency::read(image, 3, 2);
    QCOMPARE(f.steps(), steps);
    QCOMPARE(f.mhz(), numericValue(frequencyText(image, 3, 2)));
    if (decimal) {
        Codeplug copy;
        f.store(copy, 3, 2);
        QCOMPARE(copy, image);
    }
}

// The working range compares in MHz as doubles, a transmit frequency as the
// double sum of receive and offset: a sum a hair below the upper limit lies
// inside, as it always did, though the exact value is the limit itself.
void TestFrequency::workingRange_data()
{
    QTest::addColumn<double>("rx");
    QTest::addColumn<double>("offset");
    QTest::addColumn<int>("direction");
    QTest::addColumn<bool>("inside");
    QTest::newRow("simplex at the low limit") << 400.0 << 10.0 << 0 << true;
    QTest::newRow("direction 3 is simplex") << 400.0 << 10.0 << 3 << true;
    QTest::newRow("plus up to the high limit") << 460.0 << 10.0 << 1 << false;
    QTest::newRow("plus below the high limit") << 459.99999 << 10.0 << 1 << true;
    QTest::newRow("minus below the low limit") << 409.99999 << 10.0 << 2 << false;
    QTest::newRow("minus to the low limit") << 410.0 << 10.0 << 2 << true;
    QTest::newRow("double sum below the limit") << 512.04 << 42.04 << 2 << true;
}

void TestFrequency::workingRange()
{
    QFETCH(double, rx);
    QFETCH(double, offset);
    QFETCH(int, direction);
    QFETCH(bool, inside);
    const WorkRange range{400, 470};
    const double tx = checkedTransmitMHz(Frequency::fromMHz(rx), Frequency::fromMHz(offset), direction);
    QCOMPARE(insideWorkingRange(tx, range), inside);
}

QTEST_GUILESS_MAIN(TestFrequency)
#include "tst_frequency.moc"
