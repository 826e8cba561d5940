#include "core/Codecs.h"
#include "core/NumberText.h"

#include <QLocale>
#include <QTest>
#include <clocale>

class TestCodecs : public QObject {
    Q_OBJECT
private slots:
    void freqFromBytes_data();
    void freqFromBytes();
    void fmFreqText_data();
    void fmFreqText();
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
