#include "core/Codecs.h"
#include "support/CoreTestImage.h"
#include "core/ModelTable.h"
#include "core/WorkingRange.h"
#include "core/WritePreparation.h"

#include <QTest>

namespace {
void setRow(int row, std::initializer_list<int> bytes)
{
    int c = 0;
    for (int b : bytes)
        Img(row, c++) = static_cast<qint16>(b);
}

// A channel in the single-channel editor's encoding: receive, offset and
// the direction bits of byte 12.
void setChannel(int n, std::initializer_list<int> rx, std::initializer_list<int> offset, int direction)
{
    int c = 0;
    for (int b : rx)
        Img(n, c++) = static_cast<qint16>(b);
    for (int b : offset)
        Img(n, c++) = static_cast<qint16>(b);
    Img(n, 12) = static_cast<qint16>(direction << 6 | 2);
}
} // namespace

class TestImage : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        startWithDefaultImage();
    }
    void modelTable();
    void defaultImage();
    void markFirstUsedChannel_data();
    void markFirstUsedChannel();
    void fixedRowsOverwriteWhateverWasThere();
    void vfoRange_data();
    void vfoRange();
    void channelRanges_data();
    void channelRanges();
};

void TestImage::modelTable()
{
    QCOMPARE(QString::fromLatin1(ModelNames[0]), QStringLiteral("KVD9"));
    QCOMPARE(QString::fromLatin1(ModelNames[6]), QStringLiteral("ZN3T FULL"));
    const qint16 expected[14] = {400, 66, 136, 244, 350, 450, 100, 470, 89, 175, 247, 391, 521, 601};
    for (int i = 0; i < 14; ++i)
        QCOMPARE(BandLimits[i], expected[i]);
}

// The start-up image, byte for byte.
void TestImage::defaultImage()
{
    QByteArray expected(RadioRows * RowBytes, char(255));
    const auto put = [&](int row, int col, std::initializer_list<int> bytes) {
        for (int b : bytes)
            expected[row * 16 + col++] = char(b);
    };
    put(130, 0, {0x00, 0x25, 0x00, 0x40, 0x00, 0x00, 0x00, 0x01, 0, 0, 3});
    put(250, 0, {0x00, 0x40, 0x00, 0x47});
    put(252, 0, {0x76, 0x95, 5, 0, 0, 0xC8, 0x40, 0, 0, 0});
    put(252, 12, {0});
    put(254, 8, {0, 0, 0});
    for (int r = 0; r < RadioRows; ++r)
        for (int c = 0; c < RowBytes; ++c)
            if (Img(r, c) != quint8(expected[r * 16 + c]))
                QFAIL(qPrintable(QStringLiteral("Img(%1, %2) = %3").arg(r).arg(c).arg(Img(r, c))));
    QCOMPARE(FreqFromBytes(Img(130, 0), Img(130, 1), Img(130, 2), Img(130, 3)), QStringLiteral("400.02500"));
    QCOMPARE(testDocument().workRange().low, 400.0);
    QCOMPARE(testDocument().workRange().high, 470.0);
    QCOMPARE(RangeFromImage(testDocument().image()), std::make_pair(400, 470));
}

void TestImage::markFirstUsedChannel_data()
{
    QTest::addColumn<QList<int>>("programmed");
    QTest::addColumn<int>("first");
    QTest::newRow("none") << QList<int>{} << 0;
    QTest::newRow("5 and 9") << QList<int>{9, 5} << 5;
    QTest::newRow("last") << QList<int>{128} << 128;
}

void TestImage::markFirstUsedChannel()
{
    QFETCH(QList<int>, programmed);
    QFETCH(int, first);
    Img(252, 7) = 99;
    for (int n : programmed)
        setRow(n, {0x00, 0x25, 0x81, 0x43});
    // A receive field with a single 255 does not count as programmed.
    setRow(2, {0x00, 0x25, 255, 0x43});
    MarkFirstUsedChannel(Document());
    QCOMPARE(int(Img(252, 7)), first);
}

void TestImage::fixedRowsOverwriteWhateverWasThere()
{
    for (int c = 0; c < 16; ++c) {
        Img(0, c) = 1;
        Img(220, c) = 2;
        Img(251, c) = 3;
    }
    ApplyFixedRows(Document());
    for (int c = 0; c < 16; ++c)
        QCOMPARE(Img(0, c), qint16(255));
    QCOMPARE(Img(220, 0), qint16(0x76));
    QCOMPARE(Img(220, 1), qint16(0x95));
    QCOMPARE(Img(220, 2), qint16(2));
    const QByteArray signature("LISTENIG");
    for (int c = 0; c < 8; ++c)
        QCOMPARE(Img(251, c), qint16(signature[c]));
    for (int c = 8; c < 16; ++c)
        QCOMPARE(Img(251, c), qint16(255));
}

void TestImage::vfoRange_data()
{
    QTest::addColumn<QList<int>>("vfo"); // receive, offset
    QTest::addColumn<int>("direction");
    QTest::addColumn<bool>("outOfRange");
    QTest::newRow("default") << QList<int>{0x00, 0x25, 0x00, 0x40, 0, 0, 0, 0x01} << 0 << false;
    QTest::newRow("470.99 passes whole MHz") << QList<int>{0x00, 0x90, 0x09, 0x47, 0, 0, 0, 0} << 0 << false;
    QTest::newRow("471.0 fails") << QList<int>{0x00, 0x00, 0x10, 0x47, 0, 0, 0, 0} << 0 << true;
    QTest::newRow("399.99 fails") << QList<int>{0x00, 0x90, 0x99, 0x39, 0, 0, 0, 0} << 0 << true;
    QTest::newRow("465 plus 10 fails") << QList<int>{0x00, 0x00, 0x50, 0x46, 0, 0, 0, 0x01} << 1 << true;
    QTest::newRow("465 minus 10 passes") << QList<int>{0x00, 0x00, 0x50, 0x46, 0, 0, 0, 0x01} << 2 << false;
    QTest::newRow("475 minus 10 fails by its receive") << QList<int>{0x00, 0x00, 0x50, 0x47, 0, 0, 0, 0x01} << 2 << true;
    QTest::newRow("direction 3 is simplex") << QList<int>{0x00, 0x00, 0x50, 0x46, 0, 0, 0, 0x01} << 3 << false;
    QTest::newRow("unprogrammed fails") << QList<int>{255, 255, 255, 255, 255, 255, 255, 255} << 0 << true;
}

void TestImage::vfoRange()
{
    QFETCH(QList<int>, vfo);
    QFETCH(int, direction);
    QFETCH(bool, outOfRange);
    for (int c = 0; c < 8; ++c)
        Img(130, c) = static_cast<qint16>(vfo[c]);
    Img(130, 10) = static_cast<qint16>(direction << 6 | 3);
    QCOMPARE(CheckVfoRange(Document()), outOfRange);
}

void TestImage::channelRanges_data()
{
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("summary"); // the line below the write's message
    QTest::newRow("all empty") << 0 << "";
    QTest::newRow("7 and 40 fail") << 7 << "Outside the working range: channels 7, 40.";
    QTest::newRow("transmit out") << 12 << "Outside the working range: channel 12.";
    QTest::newRow("partly unprogrammed") << 3 << "Outside the working range: channel 3.";
    // The VFO lies outside too: the write names it first, without the line.
    QTest::newRow("narrower range") << 1 << "";
    QTest::newRow("seven fail") << 2 << "Outside the working range: channels 2, 3, 4, 5, 6 and 2 more.";
}

void TestImage::channelRanges()
{
    QFETCH(int, expected);
    QFETCH(QString, summary);
    const QByteArray tag = QTest::currentDataTag();
    if (tag == "7 and 40 fail") {
        setChannel(1, {0x00, 0x25, 0x81, 0x43}, {0, 0, 0, 0}, 0);
        setChannel(7, {0x00, 0x00, 0x50, 0x48}, {0, 0, 0, 0}, 0); // 485
        setChannel(40, {0x00, 0x00, 0x00, 0x14}, {0, 0, 0, 0}, 0); // 140
    } else if (tag == "seven fail") {
        for (int n = 2; n <= 8; ++n)
            setChannel(n, {0x00, 0x00, 0x50, 0x48}, {0, 0, 0, 0}, 0); // 485
    } else if (tag == "transmit out") {
        setChannel(12, {0x00, 0x00, 0x50, 0x46}, {0, 0, 0, 0x01}, 1); // 465 + 10
        setChannel(13, {0x00, 0x00, 0x50, 0x46}, {0, 0, 0, 0x01}, 2); // 465 - 10
    } else if (tag == "partly unprogrammed") {
        setChannel(3, {0x00, 0x25, 0x81, 255}, {0, 0, 0, 0}, 0);
    } else if (tag == "narrower range") {
        setChannel(1, {0x00, 0x25, 0x81, 0x43}, {0, 0, 0, 0}, 0); // 438.125
        setRow(250, {0x00, 0x42, 0x00, 0x45});                      // 420..450 -> passes
        QCOMPARE(CheckChannelRanges(Document()), 0);
        setRow(250, {0x00, 0x44, 0x00, 0x45});                      // 440..450 -> fails
    }
    QCOMPARE(CheckChannelRanges(Document()), expected);
    QCOMPARE(checkRanges(Document()).summary(Language::English), summary);
}

QTEST_GUILESS_MAIN(TestImage)
#include "tst_image.moc"
