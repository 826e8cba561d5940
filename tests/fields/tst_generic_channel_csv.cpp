// The generic amateur-radio channel CSV: files as other radios' programs
// and repeater directories write them, what the import makes of them, and
// the export. (Its round trip runs with the channel grid's layout in
// tst_field_catalogue.)
#include "FieldTestSupport.h"

#include "fields/ChannelPlanCsv.h"
#include "fields/FieldCommands.h"
#include "fields/GenericChannelCsv.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray fixture(const char *name)
{
    QFile file(QFINDTESTDATA(QStringLiteral("generic/%1").arg(QLatin1String(name))));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no fixture %s", name);
    return file.readAll();
}

// The channels in use as the channel grid's rows.
QStringList gridRows(const Codeplug &image)
{
    QStringList rows = QString::fromUtf8(exportCsv(image)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    rows.removeFirst();
    return rows;
}

const QString OffWide = QStringLiteral("OFF,OFF,High,Wide,");

} // namespace

Q_DECLARE_METATYPE(GenericImportOptions)

class TestGenericChannelCsv : public QObject {
    Q_OBJECT

private slots:
    // Refusals and notes in English, the companion's default language.

    void filesImport_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<GenericImportOptions>("options"); // replace, renumber, skip unsupported
        QTest::addColumn<QStringList>("channels"); // as the grid's rows
        QTest::addColumn<QStringList>("notes");
        QTest::addColumn<QStringList>("errors");

        QTest::newRow("every tone mode and cross mode")
            << fixture("tones.csv") << GenericImportOptions{false, false}
            << QStringList{"1,446.00625,446.00625,OFF,OFF,Low,Narrow,NONE",
                           "2,442.10000,447.10000,OFF,100.0,High,Wide,TONE",
                           "3,443.20000,448.20000,127.3,127.3,High,Wide,TSQL",
                           "4,444.30000,439.30000,D754I,D754N,High,Wide,DTCS",
                           "5,440.00000,440.00000,254.1,67.0,High,Wide,TT",
                           "6,440.10000,440.10000,D411I,71.9,High,Wide,TD",
                           "7,440.20000,440.20000,123.0,D606I,Low,Narrow,DT",
                           "8,440.30000,440.30000,156.7,OFF,High,Wide,_T",
                           "9,440.40000,440.40000,D131I,OFF,High,Wide,_D",
                           "10,440.50000,440.50000,OFF,D265I,High,Wide,D_",
                           "11,440.60000,440.60000,D754I,D047I,High,Wide,DD"}
            << QStringList() << QStringList();
        QTest::newRow("every Duplex")
            << fixture("duplex.csv") << GenericImportOptions{false, false}
            << QStringList{"1,446.50000,446.50000," + OffWide + "SIMP", "2,442.00000,447.00000," + OffWide + "PLUS",
                           "3,447.00000,442.00000," + OffWide + "MINUS", "4,433.50000,438.50000," + OffWide + "SPLIT",
                           "5,446.00000,446.00000," + OffWide + "RXONL"}
            << QStringList{"line 6: Duplex \"off\" dropped: the channel may transmit"} << QStringList();
        const QStringList zeroBased{"1,446.00000,446.00000," + OffWide + "CALL",
                                    "2,442.50000,447.50000,OFF,123.0,High,Wide,RPT",
                                    "3,446.10000,446.10000," + OffWide + "SIMP"};
        QTest::newRow("0-based locations, renumbered") << fixture("zero_based.csv") << GenericImportOptions{false, true} << zeroBased
                                                       << QStringList() << QStringList();
        QTest::newRow("0-based locations") << fixture("zero_based.csv") << GenericImportOptions{false, false} << QStringList() << QStringList()
                                           << QStringList{"line 2: Location \"0\" is outside 1..128 (--renumber "
                                                          "fills the channels in file order)"};
        QTest::newRow("older header") << fixture("older.csv") << GenericImportOptions{false, false}
                                      << QStringList{"1,442.50000,447.50000,OFF,103.5,High,Wide,OLD1",
                                                     "2,443.50000,448.50000,131.8,110.9,High,Wide,OLD2",
                                                     "3,444.50000,449.50000,D445N,D445I,High,Narrow,OLD3"}
                                      << QStringList() << QStringList();

        // 200 memories, BOM and CRLF: the first 128 fill the radio, the rows
        // beyond are left out with one note.
        const QByteArray radio200 = fixture("radio200.csv");
        QStringList all;
        for (int n = 1; n <= 128; ++n)
            all << QStringLiteral("%1,%2,%2,%3CH%4")
                       .arg(n)
                       .arg(440 + (n - 1) * 0.025, 0, 'f', 5)
                       .arg(OffWide)
                       .arg(n - 1, 3, 10, QLatin1Char('0'));
        QTest::newRow("200 memories") << radio200 << GenericImportOptions{false, true} << all
                                      << QStringList{"the 128 channels are full: the rows from line 130 on are left out"}
                                      << QStringList();
        QTest::newRow("the first 128 of them") << radio200.left(radio200.indexOf("128,CH128")) << GenericImportOptions{false, true} << all
                                               << QStringList() << QStringList();

        QTest::newRow("adaptations noted")
            << fixture("notes.csv") << GenericImportOptions{false, false}
            << QStringList{"1,442.12000,447.12000,OFF,OFF,High,Wide,REPE1", "2,446.00625,446.00625,OFF,OFF,Low,Narrow,K9-AB",
                           "3,446.10000,446.10000," + OffWide + "X", "4,446.20000,446.20000,OFF,OFF,Low,Wide,DSTAR"}
            << QStringList{"line 2: Frequency 442.123000 snapped to 442.120000; transmit 447.123000 snapped to "
                           "447.120000; Power \"5.0W\" became High; Name \"Repeater 1\" became \"REPE1\"; TStep "
                           "\"12.50\" dropped; Skip \"S\" dropped; Comment \"Club net\" dropped; URCALL \"CQCQCQ\" "
                           "dropped",
                           "line 3: Power \"0.5W\" became Low; Name \"k9-ab/c\" became \"K9-AB\"",
                           "line 4: Name \"ÄÖ!x, z\" became \"X\"; Skip \"P\" dropped",
                           "line 5: URCALL \"CQCQCQ\" dropped; RPT1CALL \"DB0ABC B\" dropped; RPT2CALL \"DB0ABC G\" "
                           "dropped; DVCODE \"0\" dropped"}
            << QStringList();

        const QString outside = QStringLiteral(" is outside 1..128 (--renumber fills the channels in file order)");
        QTest::newRow("a row of every refusal")
            << fixture("refusals.csv") << GenericImportOptions{false, false} << QStringList() << QStringList()
            << QStringList{"line 2: Location \"x\"" + outside,
                           "line 3: Location \"129\"" + outside,
                           "line 5: channel 1 appears twice (first on line 4)",
                           "line 6: channel 2 has no receive frequency",
                           "line 7: Frequency \"446.52.0\" is not a frequency",
                           "line 8: Frequency: 146.52000 is outside the working range 400..470 MHz",
                           "line 9: transmit: 474.50000 is outside the working range 400..470 MHz",
                           "line 10: Duplex \"x\" is not one of: (empty), +, -, split, off",
                           "line 11: Offset \"five\" is not a frequency",
                           "line 12: Offset 500.000000 takes the transmit frequency below 0 MHz",
                           "line 13: Tone \"TSQL-R\" is not one of: (empty), Tone, TSQL, DTCS, Cross",
                           "line 14: CrossMode \"Tone->\" is not one of: Tone->Tone, Tone->DTCS, DTCS->Tone, "
                           "->Tone, ->DTCS, DTCS->, DTCS->DTCS",
                           "line 15: DtcsPolarity \"NX\" is not two of N and R",
                           "line 16: rToneFreq \"69.4\" is not a tone of the radio's list",
                           "line 17: DtcsCode \"017\" is not a DCS code of the radio's list",
                           "line 18: Mode \"AM\" is not FM or NFM",
                           "line 19: Power \"Mid\" is not High, Low or a wattage",
                           "line 20: more fields than columns",
                           "line 21: fewer fields than columns (3 of 21)",
                           "line 22: rToneFreq \"67.04\" is not a tone of the radio's list"};
        const QStringList gmrs{"462.56250,462.56250,OFF,OFF,High,Narrow,GMR01", "462.58750,462.58750,OFF,OFF,High,Narrow,GMR02",
                               "462.55000,467.55000,OFF,141.3,High,Wide,GM15R",
                               "462.57500,467.57500,OFF,141.3,High,Wide,GM16R"};
        QStringList dualBand, dualBandRenumbered;
        for (int i = 0; i < gmrs.size(); ++i) {
            dualBand << QStringLiteral("%1,").arg(QList<int>{1, 2, 4, 7}.at(i)) + gmrs.at(i);
            dualBandRenumbered << QStringLiteral("%1,").arg(i + 1) + gmrs.at(i);
        }
        const QString skipped = QStringLiteral("skipped (the radio cannot hold it): ");
        const QStringList dualBandNotes{
            "line 2: Name \"GMRS01\" became \"GMR01\"; Comment \"GMRS\" dropped",
            "line 3: Name \"GMRS02\" became \"GMR02\"; Comment \"GMRS\" dropped",
            "line 4: " + skipped + "Frequency: 146.52000 is outside the working range 400..470 MHz",
            "line 5: Name \"GMRS15R\" became \"GM15R\"",
            "line 6: " + skipped + "Mode \"AM\" is not FM or NFM",
            "line 7: " + skipped + "Mode \"DV\" is not FM or NFM",
            "line 8: Name \"GMRS16R\" became \"GM16R\"",
            "TStep dropped on 4 rows: the radio snaps to 5 or 6.25 kHz"};
        // A dual-band plan as a dealer exports it: rows the radio cannot hold
        // (2 m, AM, DV) skipped with a note each, names cut to 5 characters
        // kept apart, the TStep on every row noted once, the rows of commas
        // a spreadsheet leaves at the end skipped as blank lines.
        QTest::newRow("dual-band plan, --skip-unsupported")
            << fixture("dualband.csv") << GenericImportOptions{false, false, true} << dualBand << dualBandNotes
            << QStringList();
        QTest::newRow("dual-band plan, --skip-unsupported --renumber")
            << fixture("dualband.csv") << GenericImportOptions{false, true, true} << dualBandRenumbered
            << dualBandNotes << QStringList();
        QTest::newRow("dual-band plan, refused")
            << fixture("dualband.csv") << GenericImportOptions{} << QStringList() << QStringList()
            << QStringList{"line 4: Frequency: 146.52000 is outside the working range 400..470 MHz",
                           "line 6: Mode \"AM\" is not FM or NFM", "line 7: Mode \"DV\" is not FM or NFM"};
        QTest::newRow("Offset, Power and snapping on rows without a shift")
            << QByteArray("Location,Name,Frequency,Duplex,Offset,Power\n"
                          "1,SIMP,446.500000,,,\n"
                          "2,OFF,446.000000,off,x,Low\n"
                          "3,SNAP,446.123000,,,High\n")
            << GenericImportOptions{false, false}
            << QStringList{"1,446.50000,446.50000," + OffWide + "SIMP", "2,446.00000,446.00000,OFF,OFF,Low,Wide,OFF",
                           "3,446.12000,446.12000," + OffWide + "SNAP"}
            << QStringList{"line 3: Duplex \"off\" dropped: the channel may transmit",
                           "line 4: Frequency 446.123000 snapped to 446.120000"}
            << QStringList();
        QTest::newRow("older cross modes to DTCS")
            << QByteArray("Location,Name,Frequency,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,CrossMode\n"
                          "1,TODCS,446.000000,Cross,88.5,88.5,445,NN,->DTCS\n"
                          "2,DCSDCS,446.100000,Cross,88.5,88.5,445,RN,DTCS->DTCS\n")
            << GenericImportOptions{false, false}
            << QStringList{"1,446.00000,446.00000,D445N,OFF,High,Wide,TODCS",
                           "2,446.10000,446.10000,D445N,D445I,High,Wide,DCSDC"}
            << QStringList{"line 3: Name \"DCSDCS\" became \"DCSDC\""} << QStringList();
        // One rule for every name: the trailing number stays, so GMRS15 is
        // not read as channel 1 of the service; names it would make alike
        // are cut at their end and stay apart.
        QTest::newRow("names keep their numbers")
            << QByteArray("Location,Name,Frequency\n1,GMRS01,462.5625\n2,GMRS15,462.55\n3,GMRS22,462.725\n"
                          "4,GMRT15,462.575\n5,GMR22,462.6\n")
            << GenericImportOptions{false, false}
            << QStringList{"1,462.56250,462.56250," + OffWide + "GMR01", "2,462.55000,462.55000," + OffWide + "GMRS1",
                           "3,462.72500,462.72500," + OffWide + "GMRS2", "4,462.57500,462.57500," + OffWide + "GMRT1",
                           "5,462.60000,462.60000," + OffWide + "GMR22"}
            << QStringList{"line 2: Name \"GMRS01\" became \"GMR01\"", "line 3: Name \"GMRS15\" became \"GMRS1\"",
                           "line 4: Name \"GMRS22\" became \"GMRS2\"", "line 5: Name \"GMRT15\" became \"GMRT1\""}
            << QStringList();
        QTest::newRow("names keep their numbers, none alike")
            << QByteArray("Location,Name,Frequency\n1,GMRS01,462.5625\n2,GMRS15,462.55\n3,GMRS22,462.725\n")
            << GenericImportOptions{false, false}
            << QStringList{"1,462.56250,462.56250," + OffWide + "GMR01", "2,462.55000,462.55000," + OffWide + "GMR15",
                           "3,462.72500,462.72500," + OffWide + "GMR22"}
            << QStringList{"line 2: Name \"GMRS01\" became \"GMR01\"", "line 3: Name \"GMRS15\" became \"GMR15\"",
                           "line 4: Name \"GMRS22\" became \"GMR22\""}
            << QStringList();
        QTest::newRow("an empty Mode is FM")
            << QByteArray("Location,Name,Frequency,Mode\n1,EMPTY,446.000000,\n2,NFM,446.100000,NFM\n")
            << GenericImportOptions{false, false}
            << QStringList{"1,446.00000,446.00000," + OffWide + "EMPTY", "2,446.10000,446.10000,OFF,OFF,High,Narrow,NFM"}
            << QStringList() << QStringList();
        QTest::newRow("no Location, renumbered")
            << QByteArray("Name,Frequency\nA,446\n") << GenericImportOptions{false, true} << QStringList{"1,446.00000,446.00000," + OffWide + "A"}
            << QStringList() << QStringList();
        QTest::newRow("no Location without renumbering")
            << QByteArray("Name,Frequency\nA,446\n") << GenericImportOptions{false, false} << QStringList() << QStringList()
            << QStringList{"line 1: the columns Location and Frequency are needed"};
    }
    void filesImport()
    {
        QFETCH(QByteArray, csv);
        QFETCH(GenericImportOptions, options);
        QFETCH(QStringList, channels);
        QFETCH(QStringList, notes);
        QFETCH(QStringList, errors);
        QVERIFY(isGenericChannelCsv(csv));
        const ImportResult result = importGenericCsv(csv, defaultImage(), Language::English, options);
        QCOMPARE(result.errors, errors);
        QCOMPARE(result.ok, errors.isEmpty());
        if (result.ok) {
            QCOMPARE(gridRows(result.image), channels);
            QCOMPARE(result.notes, notes);
        }
    }

    // Written in the export's own form, the tone modes' file comes back from
    // its import unchanged: each tone pair reads back as the table gives it.
    void exportWritesTheLayout()
    {
        const QByteArray tones = fixture("tones.csv");
        const ImportResult imported = importGenericCsv(tones, defaultImage(), Language::English);
        QVERIFY(imported.ok);
        QCOMPARE(exportGenericCsv(imported.image), tones);
    }

    // The companion's commands: the header tells the layout, --format
    // generic exports it, --renumber belongs to the generic layout, and a
    // refused file leaves no output behind.
    void commandsChooseTheLayout()
    {
        QTemporaryDir dir;
        const QString base = dir.filePath("base.chann"), out = dir.filePath("out.chann");
        const QString csv = dir.filePath("plan.csv"), exported = dir.filePath("export.csv");
        QString error;
        QVERIFY(saveCodeplugFile(base, defaultImage(), error, Language::English));
        const auto save = [&](const QByteArray &text) {
            QFile file(csv);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(text);
        };
        save(fixture("duplex.csv"));
        const CommandResult imported = runImportCsv(csv, base, out, Language::English, false);
        QCOMPARE(imported.status, 0);
        QCOMPARE(imported.notes, QStringList{"line 6: Duplex \"off\" dropped: the channel may transmit"});
        QCOMPARE(runExportCsv(out, exported, Language::English, {}, CsvFormat::Generic).status, 0);
        QFile written(exported);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().startsWith("Location,Name,Frequency,Duplex,Offset,Tone,"));

        QCOMPARE(runImportCsv(csv, base, out, Language::English, false, CsvFormat::Grid).status, 1);
        QFile::remove(out);
        save(fixture("zero_based.csv"));
        QCOMPARE(runImportCsv(csv, base, out, Language::English, false).status, 1);
        QVERIFY(!QFile::exists(out));
        QCOMPARE(runImportCsv(csv, base, out, Language::English, false, CsvFormat::Detect, true).status, 0);
        // --renumber on a plan of the kvd9 layout is a usage error.
        save(exportCsv(defaultImage()));
        QCOMPARE(runImportCsv(csv, base, out, Language::English, false, CsvFormat::Detect, true).status, UsageFailed);
    }
};

QTEST_GUILESS_MAIN(TestGenericChannelCsv)
#include "tst_generic_channel_csv.moc"
