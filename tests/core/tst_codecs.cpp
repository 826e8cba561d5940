#include "core/Codecs.h"
#include "core/Frequency.h"
#include "support/CoreTestImage.h"
#include "core/NumberText.h"

#include <QLocale>
#include <QTest>
#include <clocale>

class TestCodecs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InitToneNames(); }

    void freqFromBytes_data();
    void freqFromBytes();
    void freqToBytes_data();
    void freqToBytes();
    void freqToBytesRefusesUnencodable_data();
    void freqToBytesRefusesUnencodable();
    void rasterRoundTrip();
    void storeFrequency_data();
    void storeFrequency();
    void frequencySteps_data();
    void frequencySteps();
    void frequencyOfField_data();
    void frequencyOfField();
    void fmFreqText_data();
    void fmFreqText();
    void toneNames_data();
    void toneNames();
    void nameCharacters_data();
    void nameCharacters();
    void numberTextIgnoresLocale_data();
    void numberTextIgnoresLocale();
};

void TestCodecs::freqFromBytes_data()
{
    QTest::addColumn<QList<int>>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("438.125") << QList<int>{0x00, 0x25, 0x81, 0x43} << "438.12500";
    QTest::newRow("88.9875") << QList<int>{0x50, 0x87, 0x89, 0x08} << "88.98750";
    QTest::newRow("400") << QList<int>{0x00, 0x00, 0x00, 0x40} << "400.00000";
    QTest::newRow("unprogrammed") << QList<int>{255, 255, 255, 255} << "1666.66665";
    QTest::newRow("10 MHz offset") << QList<int>{0x00, 0x00, 0x00, 0x01} << "10.00000";
    QTest::newRow("below 10 MHz") << QList<int>{0x00, 0x00, 0x00, 0x00} << "0.000000";
    QTest::newRow("5 MHz") << QList<int>{0x00, 0x00, 0x50, 0x00} << "5.000000";
    QTest::newRow("6.25 kHz step") << QList<int>{0x25, 0x06, 0x80, 0x43} << "438.00625";
    // A value below 10 MHz with a fraction has its point already.
    QTest::newRow("7.6 MHz offset") << QList<int>{0x00, 0x00, 0x76, 0x00} << "7.600000";
    QTest::newRow("0.6 MHz offset") << QList<int>{0x00, 0x00, 0x06, 0x00} << "0.600000";
    QTest::newRow("9.995 MHz offset") << QList<int>{0x00, 0x95, 0x99, 0x00} << "9.995000";
}

void TestCodecs::freqFromBytes()
{
    QFETCH(QList<int>, bytes);
    QFETCH(QString, text);
    QCOMPARE(FreqFromBytes(bytes[0], bytes[1], bytes[2], bytes[3]), text);
}

void TestCodecs::freqToBytes_data()
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

void TestCodecs::freqToBytes()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, bytes);
    FreqField field{};
    QVERIFY(FreqToBytes(text, field));
    QCOMPARE((QList<int>{field[0], field[1], field[2], field[3]}), bytes);
}

void TestCodecs::freqToBytesRefusesUnencodable_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("1000 MHz") << "1000";
    QTest::newRow("above") << "1666.66665";
    QTest::newRow("negative") << "-1";
}

void TestCodecs::freqToBytesRefusesUnencodable()
{
    QFETCH(QString, text);
    FreqField field{1, 2, 3, 4};
    QVERIFY(!FreqToBytes(text, field));
    QCOMPARE(field, (FreqField{1, 2, 3, 4}));

    for (int c = 0; c < 4; ++c)
        Img(5, c) = 7;
    QString entry = text;
    QVERIFY(!StoreFrequency(Document(), entry, 5, 0));
    QCOMPARE(entry, text);
    for (int c = 0; c < 4; ++c)
        QCOMPARE(Img(5, c), qint16(7));
}

// Every 5 kHz and 6.25 kHz raster point of the band survives the trip
// through the field, as text and as snapped value.
void TestCodecs::rasterRoundTrip()
{
    for (const double step : {5.0, 6.25}) {
        for (long k = 0;; ++k) {
            const double khz = 400000.0 + step * k;
            if (khz > 470000.0)
                break;
            const QString text = shortestDecimalText(khz / 1000);
            FreqField field{};
            QVERIFY(FreqToBytes(text, field));
            const QString back = FreqFromBytes(field[0], field[1], field[2], field[3]);
            if (std::abs(numericValue(back) * 1000 - khz) > 1e-6)
                QFAIL(qPrintable(QStringLiteral("%1 kHz came back as %2").arg(khz).arg(back)));
            QString entry = back;
            QVERIFY(StoreFrequency(Document(), entry, 3, 0));
            QCOMPARE(entry, back);
        }
    }
}

void TestCodecs::storeFrequency_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("snapped");
    QTest::addColumn<QList<int>>("bytes");
    QTest::newRow("on 6.25 raster") << "438.0125" << "438.01250" << QList<int>{0x50, 0x12, 0x80, 0x43};
    QTest::newRow("nearer 5 kHz below") << "438.0124" << "438.01000" << QList<int>{0x00, 0x10, 0x80, 0x43};
    QTest::newRow("whole MHz") << "438" << "438.00000" << QList<int>{0x00, 0x00, 0x80, 0x43};
    QTest::newRow("down to 5 kHz") << "438.006" << "438.00500" << QList<int>{0x00, 0x05, 0x80, 0x43};
    QTest::newRow("down to whole") << "438.004" << "438.00000" << QList<int>{0x00, 0x00, 0x80, 0x43};
    QTest::newRow("VHF") << "145.53" << "145.53000" << QList<int>{0x00, 0x30, 0x55, 0x14};
    QTest::newRow("below 100 padded to 9") << "88.9875" << "88.987500" << QList<int>{0x50, 0x87, 0x89, 0x08};
    QTest::newRow("two digits") << "88" << "88.000000" << QList<int>{0x00, 0x00, 0x80, 0x08};
    QTest::newRow("one digit") << "5" << "5.0000000" << QList<int>{0x00, 0x00, 0x50, 0x00};
    QTest::newRow("below 10 with a fraction") << "7.6" << "7.6000000" << QList<int>{0x00, 0x00, 0x76, 0x00};
}

void TestCodecs::storeFrequency()
{
    QFETCH(QString, entry);
    QFETCH(QString, snapped);
    QFETCH(QList<int>, bytes);
    QString text = entry;
    QVERIFY(StoreFrequency(Document(), text, 7, 4));
    QCOMPARE(text, snapped);
    QCOMPARE((QList<int>{Img(7, 4), Img(7, 5), Img(7, 6), Img(7, 7)}), bytes);
}

// A value in MHz read into 10 Hz steps: cut as FreqToBytes cuts, snapped
// as StoreFrequency snaps; -1 where the value cannot be encoded.
void TestCodecs::frequencySteps_data()
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

void TestCodecs::frequencySteps()
{
    QFETCH(double, mhz);
    QFETCH(qint64, truncated);
    QFETCH(qint64, snapped);
    const auto steps = [](std::optional<Frequency> f) { return f ? f->steps() : qint64(-1); };
    QCOMPARE(steps(Frequency::truncated(mhz)), truncated);
    QCOMPARE(steps(Frequency::snapped(mhz)), snapped);
}

// A field's value in steps, nibbles above 9 counted with their value, and
// back to the same bytes where the value can be encoded.
void TestCodecs::frequencyOfField_data()
{
    QTest::addColumn<QList<int>>("bytes");
    QTest::addColumn<qint64>("steps");
    QTest::addColumn<bool>("decimal");
    QTest::newRow("438.12500") << QList<int>{0x00, 0x25, 0x81, 0x43} << qint64(43812500) << true;
    QTest::newRow("88.98750") << QList<int>{0x50, 0x87, 0x89, 0x08} << qint64(8898750) << true;
    QTest::newRow("nibble above 9") << QList<int>{0x0A, 0x00, 0x00, 0x40} << qint64(40000010) << false;
    QTest::newRow("four 255 bytes") << QList<int>{255, 255, 255, 255} << qint64(166666665) << false;
}

void TestCodecs::frequencyOfField()
{
    QFETCH(QList<int>, bytes);
    QFETCH(qint64, steps);
    QFETCH(bool, decimal);
    Codeplug image;
    for (int i = 0; i < 4; ++i)
        image.at(3, 2 + i) = qint16(bytes[i]);
    const Frequency f = Frequency::read(image, 3, 2);
    QCOMPARE(f.steps(), steps);
    QCOMPARE(f.mhz(), numericValue(FreqFromBytes(bytes[0], bytes[1], bytes[2], bytes[3])));
    if (decimal) {
        Codeplug copy;
        f.store(copy, 3, 2);
        QCOMPARE(copy, image);
    }
}

void TestCodecs::fmFreqText_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "87.0";
    QTest::newRow("5") << 5 << "87.5";
    QTest::newRow("130") << 130 << "100.0";
    QTest::newRow("210") << 210 << "108.0";
    QTest::newRow("13") << 13 << "88.3";
}

void TestCodecs::fmFreqText()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(FmFreqText(code), text);
}

void TestCodecs::toneNames_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::newRow("off") << 0 << "   OFF      ";
    QTest::newRow("first CTCSS") << 1 << "   67.0    ";
    QTest::newRow("91.5") << 10 << "  91.5    ";
    QTest::newRow("100.0") << 13 << "  100.0   ";
    QTest::newRow("last CTCSS") << 50 << "  254.1   ";
    QTest::newRow("first DCS") << 51 << "  D023N   ";
    QTest::newRow("D266N") << 99 << "  D266N   ";
    QTest::newRow("D271N") << 100 << " D271N   ";
    QTest::newRow("last DCS normal") << 154 << " D754N   ";
    QTest::newRow("first inverted") << 155 << "D023I";
    QTest::newRow("grid example") << 164 << "D053I";
    QTest::newRow("last inverted") << 258 << "D754I";
    QTest::newRow("beyond") << 259 << "";
}

void TestCodecs::toneNames()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QCOMPARE(ToneNames[index], name);
    QCOMPARE(CtcssCount, qint16(50));
    QCOMPARE(DcsNormalEnd, qint16(154));
    QCOMPARE(ToneListEnd, qint16(258));
}

void TestCodecs::nameCharacters_data()
{
    QTest::addColumn<QString>("ch");
    QTest::addColumn<int>("code");
    QTest::newRow("q") << "q" << 28;
    QTest::newRow("Q") << "Q" << 28;
    QTest::newRow("a") << "a" << 12;
    QTest::newRow("z") << "z" << 37;
    QTest::newRow("Z") << "Z" << 37;
    QTest::newRow("` before a is a space") << "`" << 11;
    QTest::newRow("{ after z is a space") << "{" << 11;
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("9") << "9" << 9;
    QTest::newRow("-") << "-" << 10;
    QTest::newRow("_") << "_" << 38;
    QTest::newRow("+") << "+" << 39;
    QTest::newRow("*") << "*" << 40;
    QTest::newRow("# is a space") << "#" << 11;
    QTest::newRow("empty is a space") << "" << 11;
    QTest::newRow("two characters") << "AB" << 11;
    QTest::newRow("non-ASCII letter") << QStringLiteral("ı") << 11;
}

void TestCodecs::nameCharacters()
{
    QFETCH(QString, ch);
    QFETCH(int, code);
    QCOMPARE(CharToCode(ch), code);
    if (code != 11)
        QCOMPARE(CodeToChar(code), ch.toUpper());
    QCOMPARE(CodeToChar(11), QStringLiteral(" "));
    QCOMPARE(CodeToChar(41), QString());
    QCOMPARE(CodeToChar(255), QString());
}

void TestCodecs::numberTextIgnoresLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("German") << "de_DE";
    QTest::newRow("Chinese") << "zh_CN";
}

// The texts of numbers and the reading of entries never follow the
// regional settings: a German system must not write "438,125".
void TestCodecs::numberTextIgnoresLocale()
{
    QFETCH(QString, locale);
    const QLocale saved;
    QLocale::setDefault(QLocale(locale));
    // The C library's numeric locale too, where the system has it built.
    const QByteArray cLocale = (locale + QStringLiteral(".UTF-8")).toLatin1();
    std::setlocale(LC_ALL, cLocale.constData());

    QCOMPARE(shortestDecimalText(438.125), QStringLiteral("438.125"));
    QCOMPARE(shortestDecimalText(400), QStringLiteral("400"));
    QCOMPARE(shortestDecimalText(0.00625), QStringLiteral("0.00625"));
    QCOMPARE(shortestDecimalText(438.12499999999997), QStringLiteral("438.125"));
    QCOMPARE(shortestDecimalText(1234567.25), QStringLiteral("1234567.25"));
    QCOMPARE(shortestDecimalText(-12.5), QStringLiteral("-12.5"));
    QCOMPARE(signedNumberText(400), QStringLiteral(" 400"));
    QCOMPARE(signedNumberText(-3), QStringLiteral("-3"));
    QCOMPARE(numericValue(QStringLiteral("438.125")), 438.125);
    QCOMPARE(numericValue(QStringLiteral(" 4 38.1 2")), 438.12);
    QCOMPARE(numericValue(QStringLiteral("438,125")), 438.0);
    QCOMPARE(numericValue(QStringLiteral("12abc")), 12.0);
    QCOMPARE(numericValue(QStringLiteral("abc")), 0.0);
    QCOMPARE(numericValue(QStringLiteral(".5")), 0.5);
    QCOMPARE(numericValue(QStringLiteral("-7.5")), -7.5);
    QCOMPARE(FreqFromBytes(0x00, 0x25, 0x81, 0x43), QStringLiteral("438.12500"));
    QCOMPARE(FmFreqText(5), QStringLiteral("87.5"));

    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(saved);
}

QTEST_GUILESS_MAIN(TestCodecs)
#include "tst_codecs.moc"
