#include "core/ToneTable.h"

#include <QTest>

using Kind = ToneTable::Kind;
Q_DECLARE_METATYPE(ToneTable::Kind)

class TestToneTable : public QObject {
    Q_OBJECT
private slots:
    void shape();
    void entries_data();
    void entries();
    void lookupByText_data();
    void lookupByText();
};

// Off, 50 CTCSS tones, 104 DCS codes and the same codes inverted.
void TestToneTable::shape()
{
    const ToneTable &table = ToneTable::instance();
    QCOMPARE(&table, &ToneTable::instance());
    QCOMPARE(table.size(), 259);
    QCOMPARE(table.last(), 258);
    const QList<std::tuple<Kind, int, int>> parts{
        {Kind::Off, 0, 1}, {Kind::Ctcss, 1, 50}, {Kind::DcsNormal, 51, 104}, {Kind::DcsInverted, 155, 104}};
    for (const auto &[kind, first, count] : parts) {
        QCOMPARE(table.first(kind), first);
        QCOMPARE(table.count(kind), count);
        QCOMPARE(table.last(kind), first + count - 1);
    }
    QCOMPARE(table.count(Kind::Outside), 0);
}

// Each entry's kind, text and spacing in the list; the first and last entry
// of each part, and positions outside the table.
void TestToneTable::entries_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("listText");
    QTest::newRow("off has no text") << 0 << Kind::Off << "";
    QTest::newRow("first CTCSS") << 1 << Kind::Ctcss << "   67.0    ";
    QTest::newRow("88.5") << 9 << Kind::Ctcss << "   88.5    ";
    QTest::newRow("91.5") << 10 << Kind::Ctcss << "  91.5    ";
    QTest::newRow("97.4") << 12 << Kind::Ctcss << "  97.4    ";
    QTest::newRow("100.0") << 13 << Kind::Ctcss << "  100.0   ";
    QTest::newRow("last CTCSS") << 50 << Kind::Ctcss << "  254.1   ";
    QTest::newRow("first DCS") << 51 << Kind::DcsNormal << "  D023N   ";
    QTest::newRow("D266N") << 99 << Kind::DcsNormal << "  D266N   ";
    QTest::newRow("D271N") << 100 << Kind::DcsNormal << " D271N   ";
    QTest::newRow("last DCS normal") << 154 << Kind::DcsNormal << " D754N   ";
    QTest::newRow("first inverted") << 155 << Kind::DcsInverted << "D023I";
    QTest::newRow("grid example") << 164 << Kind::DcsInverted << "D053I";
    QTest::newRow("last inverted") << 258 << Kind::DcsInverted << "D754I";
    QTest::newRow("past the end") << 259 << Kind::Outside << "";
    QTest::newRow("far past the end") << 300 << Kind::Outside << "";
    QTest::newRow("negative") << -1 << Kind::Outside << "";
}

void TestToneTable::entries()
{
    QFETCH(int, entry);
    QFETCH(Kind, kind);
    QFETCH(QString, listText);
    const ToneTable &table = ToneTable::instance();
    QCOMPARE(table.kind(entry), kind);
    QCOMPARE(table.listText(entry), listText);
    QCOMPARE(table.text(entry), listText.trimmed());
}

// From a text back to its entry, spaces around it ignored.
void TestToneTable::lookupByText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("entry");
    QTest::newRow("first CTCSS") << "67.0" << 1;
    QTest::newRow("last CTCSS") << "254.1" << 50;
    QTest::newRow("first DCS") << "D023N" << 51;
    QTest::newRow("last DCS normal") << "D754N" << 154;
    QTest::newRow("first inverted") << "D023I" << 155;
    QTest::newRow("last inverted") << "D754I" << 258;
    QTest::newRow("list spacing") << " D271N   " << 100;
    QTest::newRow("off is no tone") << "OFF" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("not a listed tone") << "67.1" << -1;
    QTest::newRow("lower case") << "d023n" << -1;
}

void TestToneTable::lookupByText()
{
    QFETCH(QString, text);
    QFETCH(int, entry);
    const ToneTable &table = ToneTable::instance();
    QCOMPARE(table.indexOf(text), entry);
    if (entry >= 0)
        QCOMPARE(table.text(entry), text.trimmed());
}

QTEST_GUILESS_MAIN(TestToneTable)
#include "tst_tone_table.moc"
