// The conversions between the settings editors' list positions and texts
// and the stored bytes.
#include "core/Codecs.h"
#include "core/SettingsRules.h"
#include "core/ToneTable.h"

#include <QTest>

class TestSettingsRules : public QObject {
    Q_OBJECT

private slots:

    void dtmfDigits()
    {
        for (int digit = 0; digit <= 15; ++digit) {
            const QString ch = DtmfDigitToChar(digit);
            QCOMPARE(ch.size(), 1);
            QCOMPARE(DtmfCharToDigit(ch.at(0)), digit);
            QCOMPARE(DtmfCharToDigit(ch.at(0).toLower()), digit);
        }
        QCOMPARE(DtmfDigitToChar(255), QString());
        QCOMPARE(DtmfDigitToChar(16), QString());
        QCOMPARE(DtmfCharToDigit(QLatin1Char('G')), -1);
        QCOMPARE(dtmfCodeText(QStringLiteral(" 1a-2b*cdef0123")), QStringLiteral("1A2BCDEF"));
    }

    // The grid and the VFO share one tone mapping; they differ only past
    // the end of a part of the list.
    void everyToneIndexRoundTrips()
    {
        const ToneTable &table = ToneTable::instance();
        const int lastNormal = table.last(ToneTable::Kind::DcsNormal);
        for (int index = 0; index <= table.last(); ++index) {
            const ToneCode tone = toneCodeOfPosition(index);
            QVERIFY(tone.code >= 0 && tone.code <= lastNormal);
            QCOMPARE(tone.inverted, index > lastNormal);
            for (ToneOverflow overflow : {ToneOverflow::LastEntry, ToneOverflow::NoEntry})
                QCOMPARE(tonePositionOfCode(tone.code, tone.inverted, overflow), index);
        }
    }

    void storedToneCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<int>("vfoIndex");
        QTest::addColumn<int>("gridIndex");
        QTest::newRow("off") << 0 << true << 0 << 0;
        QTest::newRow("ctcss ignores the inversion bit") << 50 << true << 50 << 50;
        QTest::newRow("first inverted DCS") << 51 << true << 155 << 155;
        QTest::newRow("last inverted DCS") << 154 << true << 258 << 258;
        QTest::newRow("beyond the DCS codes") << 200 << false << 154 << 200;
        QTest::newRow("first beyond, inverted") << 155 << true << 258 << -1;
        QTest::newRow("beyond, inverted") << 200 << true << 258 << -1;
        QTest::newRow("255 as the editor's off") << 255 << true << 258 << -1;
    }
    void storedToneCodes()
    {
        QFETCH(int, code);
        QFETCH(bool, inverted);
        QFETCH(int, vfoIndex);
        QFETCH(int, gridIndex);
        QCOMPARE(tonePositionOfCode(code, inverted, ToneOverflow::LastEntry), vfoIndex);
        QCOMPARE(tonePositionOfCode(code, inverted, ToneOverflow::NoEntry), gridIndex);
    }

    void keyCodes_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("storedAgain");
        QTest::newRow("none") << 255 << 0 << 255;
        QTest::newRow("autodial") << 0 << 1 << 0;
        QTest::newRow("1 reads as autodial") << 1 << 1 << 0;
        QTest::newRow("key lock") << 2 << 2 << 2;
        QTest::newRow("temporary delete") << 11 << 11 << 11;
        QTest::newRow("12 reads as none") << 12 << 0 << 255;
    }
    void keyCodes()
    {
        QFETCH(int, code);
        QFETCH(int, item);
        QFETCH(int, storedAgain);
        QCOMPARE(keyItemOfCode(code), item);
        QCOMPARE(keyCodeOfItem(item), storedAgain);
    }

    void fmPresetCodes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::newRow("87.0") << "87.0" << 0;
        QTest::newRow("98.1") << "98.1" << 111;
        QTest::newRow("98.15") << "98.15" << 111;
        QTest::newRow("108.0") << "108.0" << 210;
        QTest::newRow("108.1") << "108.1" << 255;
        QTest::newRow("86.99") << "86.99" << 255;
        QTest::newRow("blank") << "  " << 255;
    }
    void fmPresetCodes()
    {
        QFETCH(QString, text);
        QFETCH(int, code);
        QCOMPARE(fmPresetCode(text), code);
    }

    void everyPresetCodeRoundTrips()
    {
        for (int code = 0; code <= 210; ++code)
            QCOMPARE(fmPresetCode(FmFreqText(code)), code);
    }

    void rangeLimitBytesReadBack()
    {
        for (int mhz : {400, 409, 450, 470}) {
            const auto bytes = rangeLimitBytes(mhz);
            QCOMPARE(100 * (bytes[1] / 16) + 10 * (bytes[1] % 16) + bytes[0] / 16, mhz);
            QCOMPARE(bytes[0] % 16, 0);
        }
    }
};

QTEST_MAIN(TestSettingsRules)
#include "tst_settings_rules.moc"
