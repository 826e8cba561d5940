// The companion program's subcommands, called in-process against simulated
// radios on pseudo-terminals with the real serial port.
#include "cli/CliContext.h"
#include "cli/CodeplugFile.h"
#include "cli/Interrupts.h"
#include "cli/PartialChange.h"
#include "cli/Subcommands.h"
#include "core/ChannelFile.h"
#include "fields/CodeplugSource.h"
#include "fields/FieldCatalogue.h"
#include "serial/LinkTestSupport.h"
#include "serial/PortDirectory.h"
#include "sim/RadioSimulator.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <csignal>
#include <memory>

namespace {

struct CliRun {
    int status;
    QString out;
    QString err;
    // The lines of the error stream that are errors, not progress.
    QStringList errors() const
    {
        return err.split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("^kvd9-cli: ")));
    }
};

CliRun run(const QStringList &arguments, const LinkTiming &timing = scaledTiming(),
           const std::shared_ptr<PortDirectory> &ports = {})
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    CliContext context{outStream, errStream, false, timing};
    if (ports)
        context.ports = ports;
    const int status = runCli(arguments, context);
    outStream.flush();
    errStream.flush();
    return {status, out, err};
}

Codeplug codeplugOf(const QByteArray &memory)
{
    Codeplug image;
    for (int a = 0; a < Codeplug::Size; ++a)
        image.at(a / RowBytes, a % RowBytes) = quint8(memory.at(a));
    return image;
}

QByteArray memoryOf(const Codeplug &image)
{
    return image.toByteArray();
}

Codeplug fileImage(const QString &path)
{
    Codeplug image;
    QString error;
    if (!loadChannelFile(path, image, error, Language::English))
        qFatal("%s", qPrintable(error));
    return image;
}

struct Radios {
    std::vector<std::unique_ptr<RadioSimulator>> all;
    explicit Radios(int count)
    {
        for (int i = 0; i < count; ++i) {
            all.push_back(std::make_unique<RadioSimulator>());
            if (!all.back()->start())
                qFatal("no pseudo-terminal");
        }
    }
    RadioSimulator &operator[](int i) { return *all.at(size_t(i)); }
    QString devices() const
    {
        QStringList list;
        for (const auto &radio : all)
            list << radio->devicePath();
        return list.join(QLatin1Char(','));
    }
};

// Runs `action` once, as soon as `ready` holds, while the test waits.
void doWhen(const std::function<bool()> &ready, const std::function<void()> &action)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [=] {
        if (!ready())
            return;
        poll->deleteLater();
        poll->stop();
        action();
    });
    poll->start(1);
}

// Raises `signal` `times` times, as soon as `ready` holds.
void raiseWhen(const std::function<bool()> &ready, int signal, int times = 1)
{
    doWhen(ready, [=] {
        for (int i = 0; i < times; ++i)
            std::raise(signal);
    });
}

struct ProgramRun {
    bool bySignal; // ended by a signal, whose number is `code`
    int code;      // else its exit status
    QByteArray out;
    QByteArray err;
};

// Runs a program (the companion itself, or a shell around it) as `process`
// is set up, serving the simulated radios while it runs.
ProgramRun runProgram(QProcess &process, const QString &program, const QStringList &arguments)
{
    process.start(program, arguments);
    if (!process.waitForStarted())
        qFatal("%s does not start", qPrintable(program));
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 60000))
        qFatal("%s has not ended within a minute", qPrintable(program));
    return {process.exitStatus() == QProcess::CrashExit, process.exitCode(), process.readAllStandardOutput(),
            process.readAllStandardError()};
}

// The lines a terminal `columns` wide shows after `stream`, each line
// wrapped over several rows given whole, for the controls the progress lines
// use: carriage return, line feed, cursor up, erase the line, erase below.
QStringList terminalScreen(const QString &stream, int columns)
{
    QStringList rows{QString()};
    QList<bool> wrapped{false}; // the row goes on in the next
    int row = 0, column = 0;
    const auto down = [&] {
        if (++row == rows.size()) {
            rows << QString();
            wrapped << false;
        }
    };
    for (int i = 0; i < stream.size(); ++i) {
        const QChar c = stream.at(i);
        if (c == QLatin1Char('\x1b') && stream.mid(i + 1, 1) == QLatin1String("[")) {
            int end = i + 2;
            while (end < stream.size() && !stream.at(end).isLetter())
                ++end;
            const int count = qMax(1, stream.mid(i + 2, end - i - 2).toInt());
            const QChar command = stream.at(end);
            if (command == QLatin1Char('A'))
                row = qMax(0, row - count);
            else if (command == QLatin1Char('K'))
                rows[row].clear();
            else if (command == QLatin1Char('J')) {
                rows = rows.mid(0, row + 1);
                wrapped = wrapped.mid(0, row + 1);
                rows[row].truncate(column);
            }
            if (command != QLatin1Char('A'))
                wrapped[row] = false;
            i = end;
        } else if (c == QLatin1Char('\r')) {
            column = 0;
        } else if (c == QLatin1Char('\n')) {
            down();
        } else {
            if (column == columns) {
                wrapped[row] = true;
                down();
                column = 0;
            }
            rows[row] = rows[row].leftJustified(column).replace(column, 1, c);
            ++column;
        }
    }
    QStringList lines{QString()};
    for (int r = 0; r < rows.size(); ++r) {
        lines.last() += rows.at(r);
        if (!wrapped.at(r))
            lines << QString();
    }
    lines.removeLast();
    return lines;
}

// Validates JSON documents against the program's schema with Debian's
// python3-jsonschema; the violations, or empty.
QString schemaViolations(const QString &documents)
{
    QProcess validator;
    // Debian's own interpreter, which the package installs the module for.
    validator.start(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral(KVD9_SOURCE_DIR "/tests/cli/validate_json.py"),
                     QStringLiteral(KVD9_SOURCE_DIR "/cli/kvd9-cli.schema.json")});
    validator.write(documents.toUtf8());
    validator.closeWriteChannel();
    validator.waitForFinished();
    const QString report = QString::fromUtf8(validator.readAllStandardOutput() + validator.readAllStandardError());
    return validator.exitCode() == 0 && validator.exitStatus() == QProcess::NormalExit ? QString() : report;
}

} // namespace

class Cli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everySubcommandHasHelp();
    void readSavesEveryRadioToItsFile_data();
    void readSavesEveryRadioToItsFile();
    void traceLabelsEachBlockByTheAddressRequested_data();
    void traceLabelsEachBlockByTheAddressRequested();
    void writeAndVerifyCompareEveryWrittenByte_data();
    void writeAndVerifyCompareEveryWrittenByte();
    void fourRadiosAtOnceFailIndependently();
    void badInputGivesOneLineNamingPortOrFile_data();
    void badInputGivesOneLineNamingPortOrFile();
    void fieldCommandsTakeFilesAndRadios();
    void everyCommandKeepsTheContract_data();
    void everyCommandKeepsTheContract();
    void portsEndingAlikeSaveToFilesOfTheirOwn();
    void tableColumnsLineUpByDisplayWidth();
    void interruptionsInEachPhase_data();
    void interruptionsInEachPhase();
    void identifyWakesEachRadioAndTracesItsTraffic();
    void writeBackupSavesEachRadioFirst();
    void backupsNeverOverwriteAndAFailedOneStopsItsRadio_data();
    void backupsNeverOverwriteAndAFailedOneStopsItsRadio();
    void fieldCommandsEndOnAnInterruptedRead_data();
    void fieldCommandsEndOnAnInterruptedRead();
    void writeDryRunShowsTheDiffAndWritesNothing();
    void setStoresUnderTheWindowsRules_data();
    void setStoresUnderTheWindowsRules();
    void bashCompletesFromTheTable_data();
    void bashCompletesFromTheTable();
    void completionIsEnglishInEitherLanguage();
    void listingsShowOneEncoding_data();
    void listingsShowOneEncoding();
    void outputsSurviveFailures_data();
    void outputsSurviveFailures();
    void ctrlCStopsABatchLoop_data();
    void ctrlCStopsABatchLoop();
    void hangUpFinishesTheWriteUnderWay_data();
    void hangUpFinishesTheWriteUnderWay();
    void firstCtrlCWarningStaysOnTheTerminal();
    void setOnRadiosMovesOnlyTheRowsOfItsChange_data();
    void setOnRadiosMovesOnlyTheRowsOfItsChange();
    void partialWriteSurvivesALostFrameOrNamesItsRows_data();
    void partialWriteSurvivesALostFrameOrNamesItsRows();
    void changedOnlyAndDryRunMoveOnlyDifferingRows_data();
    void changedOnlyAndDryRunMoveOnlyDifferingRows();

private:
    QTemporaryDir m_dir;
    // Simulated radios started elsewhere on the machine announce themselves
    // in their own folders, so `ports` and the port numbers see only ours.
    QTemporaryDir m_announcements;
    QString m_file; // the sample memory as a .chann file
};

void Cli::initTestCase()
{
    Interrupts::install();
    QVERIFY(m_dir.isValid());
    QVERIFY(m_announcements.isValid());
    qputenv("KVD9_RADIO_SIM_DIR", QFile::encodeName(m_announcements.path()));
    m_file = m_dir.filePath(QStringLiteral("sample.chann"));
    QString error;
    QVERIFY2(saveCodeplugFile(m_file, codeplugOf(RadioSimulator::sampleMemory()), error, Language::English), qPrintable(error));
}

void Cli::everySubcommandHasHelp()
{
    for (const Subcommand &subcommand : subcommands()) {
        const QString name = QString::fromLatin1(subcommand.name);
        const CliRun result = run({name, "--help"});
        QCOMPARE(result.status, 0);
        QVERIFY2(result.out.startsWith("Usage: kvd9-cli " + name + " [options]"), qPrintable(result.out));
        QVERIFY(result.out.contains(QString::fromUtf8(subcommand.english)));
        // Its own exit statuses only: 3 where a radio can be half-written.
        QCOMPARE(result.out.contains("\n  3    "), name == "write" || name == "set");
        // Qt's own words in Chinese too, as the windows load them.
        QVERIFY(run({name, "--help", "--lang", "zh"}).out.startsWith(QString::fromUtf8("用法：kvd9-cli ") + name));
    }
}

void Cli::readSavesEveryRadioToItsFile_data()
{
    QTest::addColumn<int>("radios");
    QTest::newRow("one radio, -o is the file") << 1;
    QTest::newRow("two radios, -o is a folder") << 2;
}

void Cli::readSavesEveryRadioToItsFile()
{
    QFETCH(int, radios);
    Radios r(radios);
    for (int i = 0; i < radios; ++i)
        for (char &b : r[i].memory)
            b = char(QRandomGenerator::global()->bounded(256));
    const QString target = m_dir.filePath(QStringLiteral("read-%1").arg(radios));
    const CliRun result = run({"read", "-p", r.devices(), "-o", target});
    QCOMPARE(result.status, 0);
    for (int i = 0; i < radios; ++i) {
        const QString file = radios == 1
            ? target
            : target + QLatin1Char('/') + QFileInfo(r[i].devicePath()).fileName() + QStringLiteral(".chann");
        QCOMPARE(memoryOf(fileImage(file)), r[i].memory);
    }
}

void Cli::writeAndVerifyCompareEveryWrittenByte_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("realTiming");
    QTest::addColumn<int>("corruptAt");     // the radio stores this address's byte inverted
    QTest::addColumn<QList<int>>("changed"); // radio addresses that differ from the file beforehand
    QTest::addColumn<int>("status");
    // A full write and a full read back on the real timing profile.
    QTest::newRow("write, verified") << QStringList{"write"} << true << -1 << QList<int>{} << 0;
    QTest::newRow("write, radio corrupts a byte") << QStringList{"write"} << false << 0x123 << QList<int>{} << 1;
    QTest::newRow("write --no-verify does not read back")
        << QStringList{"write", "--no-verify"} << false << 0x123 << QList<int>{} << 0;
    QTest::newRow("verify, radio as written from the file") << QStringList{"verify"} << false << -1 << QList<int>{} << 0;
    QTest::newRow("verify, two bytes differ") << QStringList{"verify"} << false << -1 << QList<int>{0x15, 0xFE7} << 1;
}

void Cli::writeAndVerifyCompareEveryWrittenByte()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, realTiming);
    QFETCH(int, corruptAt);
    QFETCH(QList<int>, changed);
    QFETCH(int, status);
    Codeplug prepared;
    QString error;
    QVERIFY(loadImageForWrite(m_file, prepared, error, Language::English));
    Radios r(1);
    r[0].faults.corruptByteAt = corruptAt;
    r[0].memory = memoryOf(prepared);
    for (int a : changed)
        r[0].memory[a] = char(a & 0xFF);

    const CliRun result = run(arguments << "-p" << r.devices() << m_file,
                              realTiming ? LinkTiming::real() : scaledTiming());
    QCOMPARE(result.status, status);
    QStringList expectedNotes;
    for (int a : changed + (arguments.contains("--no-verify") || corruptAt < 0 ? QList<int>{} : QList<int>{corruptAt}))
        expectedNotes << QStringLiteral("%1: row %2 byte %3 (address %4): radio %5, expected %6")
                             .arg(r.devices())
                             .arg(a / 16)
                             .arg(a % 16)
                             .arg(QStringLiteral("%1").arg(a, 4, 16, QLatin1Char('0')).toUpper())
                             .arg(quint8(r[0].memory.at(a)))
                             .arg(prepared.at(a / 16, a % 16));
    QCOMPARE(result.out.split(QLatin1Char('\n')).filter(QStringLiteral(": row ")), expectedNotes);
    // The fields of the differing bytes are named too.
    if (changed.contains(0x15))
        QVERIFY(result.out.contains(r.devices() + QStringLiteral(": channel 1 offset (grid encoding): ")));
    if (arguments.first() == QLatin1String("write") && corruptAt < 0)
        QCOMPARE(r[0].memory.left(255 * 16), memoryOf(prepared).left(255 * 16));
}

void Cli::fourRadiosAtOnceFailIndependently()
{
    Radios r(4);
    r[2].faults.silent = true;
    const CliRun result = run({"write", "--json", "-p", r.devices(), m_file});
    QCOMPARE(result.status, 1);
    QCOMPARE(result.errors().size(), 1);
    QVERIFY(result.errors().first().startsWith(
        QStringLiteral("kvd9-cli: %1: the radio does not answer; check that it is switched on").arg(r[2].devicePath())));
    const QJsonObject json = QJsonDocument::fromJson(result.out.toUtf8()).object();
    QCOMPARE(json.value("status").toInt(), 1);
    const QJsonArray ports = json.value("ports").toArray();
    QCOMPARE(ports.size(), 4);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(ports.at(i).toObject().value("port").toString(), r[i].devicePath());
        QCOMPARE(ports.at(i).toObject().value("ok").toBool(), i != 2);
        QCOMPARE(r[i].writeFrames, i != 2 ? 255 : 0);
    }
}

void Cli::badInputGivesOneLineNamingPortOrFile_data()
{
    QTest::addColumn<QString>("command"); // %f the file, %b a malformed file, %c a faulty plan, %p the radio,
                                          // %d a folder; out of the working range: %r channel 2's receive,
                                          // %t channel 1's transmit, %v the VFO's transmit, %e channel 128's receive
    QTest::addColumn<int>("fault");       // 0 none, 1 silent, 2 cable pulled at read request 60,
                                          // 3 "KV D8" for "KV D9", 4 three bytes of the identification,
                                          // 5 two bytes of noise for it
    QTest::addColumn<QString>("error");   // the start of the one error line, then of any note line
    QTest::newRow("missing file, named once") << "write -p %p %f.none" << 0 << "The file %f.none cannot be opened";
    QTest::newRow("a folder as the file, named once") << "write -p %p %d" << 0 << "%d is a folder, not a channel file.";
    QTest::newRow("malformed file") << "verify -p %p %b" << 0 << "%b: ";
    QTest::newRow("unknown port") << "read -p 9 -o %f.out" << 0 << "unknown port: 9";
    QTest::newRow("unknown port, Chinese") << "read --lang zh -p 9 -o %f.out" << 0 << "未知端口：9";
    QTest::newRow("missing file, Chinese") << "write --lang zh -p %p %f.none" << 0
                                           << "无法打开文件 %f.none：没有那个文件或目录";
    QTest::newRow("malformed file, Chinese") << "verify -p %p %b --lang zh" << 0 << "%b: 第 1 行：“x”不是整数。";
    QTest::newRow("refused field, Chinese") << "set --lang zh %f option.squelch=10" << 0
                                            << "%f: option.squelch: “10”不是以下之一：0、1、2";
    QTest::newRow("refused plan and its note, Chinese")
        << "import-csv --lang zh %c --base %f -o %f.out" << 0
        << "%c: 第 3 行：字段少于列数（1/2）\n注：第 2 行：receive 400.003 已对齐到 400.00000";
    QTest::newRow("write, a receive frequency out of range")
        << "write -p %p %r" << 0 << "%r: channel.2.receive: 439.00000 is outside the working range 400..438 MHz";
    QTest::newRow("write, the last channel out of range")
        << "write -p %p %e" << 0 << "%e: channel.128.receive: 465.00000 is outside the working range 400..460 MHz";
    QTest::newRow("write --changed-only, a transmit frequency out of range")
        << "write --changed-only -p %p %t" << 0
        << "%t: channel.1.offset: 1.000000 with channel.1.editor.direction Minus puts the transmit frequency "
           "outside the working range 438..470 MHz";
    QTest::newRow("write --dry-run, the VFO out of range")
        << "write --dry-run -p %p %v" << 0
        << "%v: vfo.offset: 60.00000 with vfo.direction Plus puts the transmit frequency outside the working "
           "range 400..438 MHz";
    QTest::newRow("port that cannot open") << "read -p /dev/kvd9-none -o %f.out" << 0
                                           << "/dev/kvd9-none: cannot open the port: ";
    QTest::newRow("port that cannot open, Chinese") << "read --lang zh -p /dev/kvd9-none -o %f.out" << 0
                                                    << "/dev/kvd9-none: 无法打开端口：设备不存在";
    QTest::newRow("refused field") << "set %f option.squelch=10" << 0
                                   << "%f: option.squelch: \"10\" is not one of: 0, 1, 2";
    QTest::newRow("no answer") << "read -p %p -o %f.out" << 1 << "%p: the radio does not answer";
    QTest::newRow("device pulled") << "read -p %p -o %f.out" << 2 << "%p: the device was lost";
    QTest::newRow("wrong identification")
        << "read -p %p -o %f.out" << 3
        << "%p: a radio answered but is not a KVD9 (or the cable's speed is wrong); it sent: 4B 56 20 44 38 01";
    QTest::newRow("short identification")
        << "read -p %p -o %f.out" << 4 << "%p: a radio answered but is not a KVD9 (or the cable's speed is wrong); it sent: 4B 56 20";
    QTest::newRow("noise for the identification, after every attempt")
        << "read -p %p -o %f.out" << 5 << "%p: a radio answered but is not a KVD9 (or the cable's speed is wrong); it sent: A5 A5";
    QTest::newRow("a port that is no terminal") << "read -p /dev/null -o %f.out" << 0
                                                << "/dev/null: is not a serial device";
    QTest::newRow("set, a range the VFO leaves, as a write refuses it")
        << "set %f range.low=430 -o %f.out" << 0 << "%f: vfo.receive: 400.02500 is outside the working range 430..470 MHz";
}

void Cli::badInputGivesOneLineNamingPortOrFile()
{
    QFETCH(QString, command);
    QFETCH(int, fault);
    QFETCH(QString, error);
    // The program opens the radio through a name of the test's own, which
    // goes with the pulled cable as a USB device's node does: the restart
    // must not find another process's terminal under the freed number.
    QTemporaryDir names;
    const QString device = names.filePath(QStringLiteral("radio"));
    Radios r(1);
    r[0].faults.silent = fault == 1;
    r[0].faults.hangUpAtReadRequest = fault == 2 ? 60 : -1;
    r[0].faults.identWithoutSequence = fault == 3;
    r[0].faults.identLength = fault == 4 ? 3 : fault == 5 ? 2 : -1;
    r[0].faults.identOffset = fault == 5 ? 2 : 0;
    QVERIFY(QFile::link(r[0].devicePath(), device));
    connect(&r[0], &RadioSimulator::traffic, [&](const QString &line) {
        if (line == QLatin1String("cable pulled"))
            QFile::remove(device);
    });
    const QString bad = m_dir.filePath(QStringLiteral("bad.chann"));
    QFile badFile(bad);
    QVERIFY(badFile.open(QIODevice::WriteOnly));
    badFile.write("1 2 x\r\n");
    badFile.close();
    const QString plan = m_dir.filePath(QStringLiteral("plan.csv"));
    QFile planFile(plan);
    QVERIFY(planFile.open(QIODevice::WriteOnly) && planFile.write("channel,receive\n10,400.003\n11\n") > 0);
    planFile.close();
    const QString range = names.filePath("range.chann"), transmit = names.filePath("transmit.chann"),
                  vfo = names.filePath("vfo.chann"), last = names.filePath("last.chann");
    // Files a write refuses, made by the windows' rules, which set refuses
    // to make.
    const auto save = [&](const QString &path, const QStringList &assignments) {
        Codeplug image = fileImage(m_file);
        for (const QString &a : assignments)
            QVERIFY(writeField(image, *findField(a.section('=', 0, 0)), a.section('=', 1), Language::English).isEmpty());
        QString error;
        QVERIFY(saveCodeplugFile(path, image, error, Language::English));
    };
    save(range, {"range.high=438"});
    save(transmit, {"channel.1.editor.transmit=437.125", "range.low=438", "vfo.receive=438.5"});
    save(vfo, {"vfo.offset=60", "vfo.direction=Plus", "range.high=438"});
    save(last, {"channel.128.receive=465", "range.high=460"});
    const auto fill = [&](QString text) {
        return text.replace("%f", m_file).replace("%b", bad).replace("%c", plan).replace("%p", device)
            .replace("%d", names.path()).replace("%r", range).replace("%t", transmit).replace("%v", vfo)
            .replace("%e", last);
    };
    // A short restart pause: the pulled cable is noticed at the restart.
    const CliRun result = run(fill(command).split(QLatin1Char(' ')));
    QVERIFY(result.status != 0);
    const QStringList lines = fill(error).split(QLatin1Char('\n'));
    QCOMPARE(result.errors().size(), lines.size());
    for (int i = 0; i < lines.size(); ++i)
        QVERIFY2(result.errors().at(i).startsWith("kvd9-cli: " + lines.at(i)), qPrintable(result.err));
    QVERIFY(!QFile::exists(m_file + ".out"));
    // Another kind of radio is named at its first answer; noise gets every attempt.
    if (fault >= 3)
        QCOMPARE(r[0].wakeUps, fault == 5 ? 4 : 1);
}

void Cli::fieldCommandsTakeFilesAndRadios()
{
    Radios r(1);
    const QString radio = QStringLiteral("radio:") + r.devices();
    const CliRun same = run({"diff", m_file, radio});
    QVERIFY2(same.status == 0, qPrintable(same.err));
    QCOMPARE(same.out, QString());
    r[0].memory[16 * 250 + 1] = char(0x42); // the range's low end: 420 MHz
    const CliRun changed = run({"diff", "--json", m_file, radio});
    QCOMPARE(changed.status, 1);
    QCOMPARE(QJsonDocument::fromJson(changed.out.toUtf8()).object().value("lines").toArray(),
             QJsonArray{QStringLiteral("range low: 400 -> 420")});
    const CliRun shown = run({"show", "--field", "range.*", radio});
    QCOMPARE(shown.out, QStringLiteral("range.low = 420\nrange.high = 470\n"));
}



// Exit status, error lines and the JSON envelope of every command; the
// same command with --json before the subcommand gives the same status in a
// result the schema accepts. Refusals and usage errors start no link.
void Cli::everyCommandKeepsTheContract_data()
{
    QTest::addColumn<QString>("command"); // %f sample, %b malformed, %c faulty plan, %p %q radios,
                                          // %o a new path, %d a folder, %n a FIFO, %l a link to %p,
                                          // %v a device, %L %H plans one byte and 4 MiB over
                                          // the size limit, %u a UTF-16 plan; port 2 is %p
    QTest::addColumn<int>("radio");       // 0 as written from %f, 1 silent, 2 row 255 differs, 3 row 9 differs
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("named");   // what the error names
    QTest::newRow("ports") << "ports" << 0 << 0 << "";
    QTest::newRow("verify, language after the subcommand") << "verify -p %p --lang zh %f" << 0 << 0 << "";
    QTest::newRow("verify, two ports fail") << "verify -p %p,%q %f" << 1 << 1 << "%q";
    QTest::newRow("verify ignores row 255") << "verify -p %p %f" << 2 << 0 << "";
    QTest::newRow("verify finds a difference") << "verify -p %p %f" << 3 << 1 << "%p";
    QTest::newRow("read, language before the subcommand") << "--lang zh read -p %p -o %o" << 0 << 0 << "";
    QTest::newRow("read -o a device") << "read -p %p -o /dev/null" << 0 << 2 << "/dev/null";
    QTest::newRow("read -o a FIFO") << "read -p %p -o %n" << 0 << 2 << "%n";
    QTest::newRow("read -o a folder") << "read -p %p -o %d" << 0 << 2 << "%d";
    QTest::newRow("read -o a missing folder") << "read -p %p -o %d/none/x.chann" << 0 << 2 << "%d/none/x.chann";
    QTest::newRow("write a malformed file") << "write -p %p %b" << 0 << 2 << "%b";
    QTest::newRow("port is a folder") << "write -p %d %f" << 0 << 2 << "%d";
    QTest::newRow("identify") << "identify -p %p" << 0 << 0 << "";
    QTest::newRow("trace into a folder") << "identify --trace %d -p %p" << 0 << 2 << "%d";
    QTest::newRow("write --dry-run finds a change") << "write --dry-run -p %p %f" << 3 << 0 << "";
    QTest::newRow("write --backup into a file") << "write --backup %f -p %p %f" << 0 << 2 << "%f";
    QTest::newRow("show unreadable") << "show %f.none" << 0 << 2 << "%f.none";
    QTest::newRow("show matching nothing") << "show --field nothing.* %f" << 0 << 1 << "nothing.*";
    QTest::newRow("diff equal") << "diff %f %f" << 0 << 0 << "";
    QTest::newRow("diff a malformed file") << "diff %f %b" << 0 << 2 << "%b";
    QTest::newRow("import a faulty plan") << "import-csv %c --base %f -o %o" << 0 << 1 << "%c";
    QTest::newRow("import a plan one byte over the limit")
        << "import-csv %L --base %f -o %o" << 0 << 2
        << "The file %L is too large to be a CSV channel plan: the limit is 1 MiB (1048576 bytes).";
    QTest::newRow("import a plan far over the limit")
        << "import-csv %H --base %f -o %o" << 0 << 2
        << "The file %H is too large to be a CSV channel plan: the limit is 1 MiB (1048576 bytes).";
    QTest::newRow("export to a device") << "export-csv %f -o /dev/null" << 0 << 2 << "/dev/null";
    QTest::newRow("unknown subcommand") << "frobnicate" << 0 << 64 << "frobnicate";
    QTest::newRow("mistyped subcommand") << "reed" << 0 << 64 << "reed; did you mean read? (kvd9-cli --help";
    QTest::newRow("no subcommand") << "" << 0 << 64 << "";
    QTest::newRow("version") << "--version" << 0 << 0 << "";
    QTest::newRow("a subcommand's help") << "read --help" << 0 << 0 << "";
    QTest::newRow("write a CSV plan") << "write -p %p %c" << 0 << 2 << "kvd9-cli import-csv %c --base";
    QTest::newRow("port is a file") << "read -p %f -o %o" << 0 << 2 << "%f: is not a serial device";
    QTest::newRow("unknown option") << "write --bogus -p %p %f" << 0 << 64 << "bogus";
    QTest::newRow("unknown port") << "read -p 9 -o %o" << 0 << 64 << "9";
    QTest::newRow("one radio by number and by path") << "read -p 2,%p -o %o" << 0 << 64 << "%p: the same device as COM2";
    QTest::newRow("one radio through a link") << "identify -p %p,%l" << 0 << 64 << "%l: the same device as %p";
    QTest::newRow("no output") << "read -p %p" << 0 << 64 << "-o";
    QTest::newRow("set a field") << "set %f option.beep=Off -o %o" << 0 << 0 << "";
    QTest::newRow("set a refused value") << "set %f option.squelch=10 -o %o" << 0 << 2 << "option.squelch";
    QTest::newRow("set without a field") << "set %f =3 -o %o" << 0 << 64 << "=3";
    QTest::newRow("set -o a device") << "set %f option.beep=Off -o %v" << 0 << 2 << "%v";
    QTest::newRow("set -o a FIFO") << "set %f option.beep=Off -o %n" << 0 << 2 << "%n";
    QTest::newRow("set -o a folder") << "set %f option.beep=Off -o %d" << 0 << 2 << "%d";
    QTest::newRow("a port named twice") << "read -p %p,%p -o %o" << 0 << 64 << "%p";
    QTest::newRow("two absent devices fail each") << "identify -p %d/none1,%d/none2" << 0 << 1 << "%d/none2";
    QTest::newRow("set -p on two radios") << "set -p %p,%q option.beep=Off" << 0 << 0 << "";
    QTest::newRow("set -p a value no radio takes, once") << "set -p %p,%q option.squelch=10" << 0 << 2 << "option.squelch";
    QTest::newRow("set -p a value another radio might take, refused on the radio")
        << "set -p %p vfo.direction=Minus" << 0 << 1 << "%p: vfo.direction: the transmit frequency would be";
    QTest::newRow("set -p a side effect on the radio")
        << "set -p %p channel.3.decode=67.0" << 0 << 1 << "%p: channel.3.decode: also changes channel 3 decode (editor encoding)";
    QTest::newRow("set -p a side effect allowed") << "set -p %p channel.3.decode=67.0 --allow-side-effects" << 0 << 0 << "";
    QTest::newRow("set a side effect")
        << "set %f channel.3.decode=67.0 -o %o" << 0 << 2 << "%f: channel.3.decode: also changes channel 3 decode (editor encoding)";
    QTest::newRow("identify, trace to standard error") << "identify --trace - -p %p" << 0 << 0 << "";
    QTest::newRow("write --backup into a folder that cannot be made")
        << "write --backup %f/x -p %p %f" << 0 << 2 << "%f/x: cannot create the folder: Not a directory";
    QTest::newRow("import a UTF-16 plan") << "import-csv %u --base %f -o %o" << 0 << 2 << "%u: UTF-16 text; save it as UTF-8";
    QTest::newRow("set -p a range that leaves a channel out")
        << "set -p %p range.high=438" << 0 << 1 << "channel.2.receive: 439.00000 is outside the working range 400..438 MHz";
    QTest::newRow("set -p an unknown field") << "set -p %p option.none=1" << 0 << 2 << "option.none";
    QTest::newRow("set -p the power values") << "set -p %p power.low=3" << 0 << 2 << "power.low";
    QTest::newRow("set -p into a file") << "set -p %p option.beep=Off -o %o" << 0 << 64 << "-o";
    QTest::newRow("set --dry-run without -p") << "set --dry-run %f option.beep=Off" << 0 << 64 << "-p";
    QTest::newRow("write --changed-only, a row differs") << "write --changed-only -p %p %f" << 3 << 0 << "";
    QTest::newRow("import --renumber, kvd9 layout") << "import-csv %c --base %f -o %o --format kvd9 --renumber" << 0
                                                    << 64 << "--renumber";
    QTest::newRow("completion") << "completion fish" << 0 << 0 << "";
    QTest::newRow("completion of another shell") << "completion tcsh" << 0 << 64 << "tcsh";
}

void Cli::everyCommandKeepsTheContract()
{
    QFETCH(QString, command);
    QFETCH(int, radio);
    QFETCH(int, status);
    QFETCH(QString, named);
    Codeplug prepared;
    QString error;
    QVERIFY(loadImageForWrite(m_file, prepared, error, Language::English));
    Radios r(2);
    for (int i = 0; i < 2; ++i) {
        r[i].memory = memoryOf(prepared);
        r[i].faults.silent = radio == 1;
    }
    r[0].memory[255 * 16 + 3] = char(radio == 2 ? 0x5A : r[0].memory.at(255 * 16 + 3));
    r[0].memory[9 * 16] = char(radio == 3 ? 0x12 : r[0].memory.at(9 * 16));
    QTemporaryDir dir;
    const auto ports = std::make_shared<PortDirectory>();
    ports->mapPortNumber(2, r[0].devicePath());
    const QString link = dir.filePath("radio");
    QVERIFY(QFile::link(r[0].devicePath(), link));
    const QString fifo = dir.filePath("fifo");
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    // A null device of the test's own, so that a missed refusal replaces
    // nothing outside the folder.
    const QString device = dir.filePath("device");
    QVERIFY(::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0);
    QFile bad(dir.filePath("bad.chann")), plan(dir.filePath("plan.csv"));
    QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("1 2 x\r\n") > 0);
    QVERIFY(plan.open(QIODevice::WriteOnly) && plan.write("no,plan\n1\n") > 0);
    bad.close();
    plan.close();
    QFile utf16(dir.filePath("utf16.csv"));
    QVERIFY(utf16.open(QIODevice::WriteOnly) && utf16.write("\xFF\xFE" + QByteArray::fromRawData(
                reinterpret_cast<const char *>(u"channel,receive\n1,438\n"), 44)) == 46);
    utf16.close();
    for (const auto &[name, size] : {std::pair{"%L", 1024 * 1024 + 1}, std::pair{"%H", 5 * 1024 * 1024}}) {
        QFile big(dir.filePath(name + 1));
        QVERIFY(!command.contains(name) || (big.open(QIODevice::WriteOnly) && big.write(QByteArray(size, '\n')) == size));
    }
    int outputs = 0;
    const auto fill = [&](QString text) {
        return text.replace("%f", m_file).replace("%b", bad.fileName()).replace("%c", plan.fileName())
            .replace("%p", r[0].devicePath()).replace("%q", r[1].devicePath())
            .replace("%o", dir.filePath(QStringLiteral("out%1").arg(++outputs))).replace("%d", dir.path())
            .replace("%n", fifo).replace("%l", link).replace("%v", device).replace("%L", dir.filePath("L"))
            .replace("%H", dir.filePath("H")).replace("%u", utf16.fileName());
    };
    const CliRun text = run(fill(command).split(QLatin1Char(' ')), scaledTiming(), ports);
    QCOMPARE(text.status, status);
    const CliRun json = run(QStringList{"--json"} + fill(command).split(QLatin1Char(' ')), scaledTiming(), ports);
    QCOMPARE(json.status, status);
    const QJsonObject envelope = QJsonDocument::fromJson(json.out.toUtf8()).object();
    QCOMPARE(envelope.value("status").toInt(-1), status);
    QCOMPARE(schemaViolations(json.out), QString());
    if (!named.isEmpty()) {
        QVERIFY2(text.errors().join('\n').contains(fill(named)), qPrintable(text.err));
        QVERIFY(QJsonDocument(envelope.value("errors").toArray()).toJson().contains(fill(named).toUtf8()));
    }
    if (status == 2 || status == 64)
        QVERIFY(r[0].received().isEmpty() && r[1].received().isEmpty());
    QVERIFY(QFileInfo(fifo).isFile() == false && QFileInfo(device).isFile() == false && QFileInfo(dir.path()).isDir());
}

void Cli::portsEndingAlikeSaveToFilesOfTheirOwn()
{
    Radios r(2);
    r[1].memory.fill(char(0x33));
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("a") && QDir(dir.path()).mkpath("b"));
    QVERIFY(QFile::link(r[0].devicePath(), dir.filePath("a/radio")));
    QVERIFY(QFile::link(r[1].devicePath(), dir.filePath("b/radio")));
    const QString ports = dir.filePath("a/radio") + ',' + dir.filePath("b/radio");
    QCOMPARE(run({"read", "-p", ports, "-o", dir.filePath("out")}).status, 0);
    const QStringList files = QDir(dir.filePath("out")).entryList(QDir::Files);
    QCOMPARE(files.size(), 2);
    QSet<QByteArray> images;
    for (const QString &file : files)
        images.insert(memoryOf(fileImage(dir.filePath("out/" + file))));
    QCOMPARE(images, (QSet<QByteArray>{r[0].memory, r[1].memory}));
}

// A Chinese table under a port name longer than the column it had.
void Cli::tableColumnsLineUpByDisplayWidth()
{
    Radios r(1);
    QTemporaryDir dir;
    const QString port = dir.filePath("serial-by-id-usb-North_Harbor_KVD9-if00-port0");
    QVERIFY(QFile::link(r[0].devicePath(), port));
    const CliRun result = run({"read", "--lang", "zh", "-p", port, "-o", dir.filePath("x.chann")});
    QCOMPARE(result.status, 0);
    const QStringList table = result.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(table.size(), 2);
    const QString header = table.at(0), row = table.at(1);
    QCOMPARE(displayWidth(header.left(header.indexOf(QString::fromUtf8("结果")))),
             displayWidth(row.left(row.indexOf(QString::fromUtf8("成功")))));
    QVERIFY(row.startsWith(port + "  "));
}

// Interruptions against the simulators, by what lands on each radio: the
// first SIGINT in the write phase lets the write finish, a second cuts it
// (a second SIGHUP does not); everywhere else one signal ends every link at once.
void Cli::interruptionsInEachPhase_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("signal");
    QTest::addColumn<int>("times");
    QTest::addColumn<int>("afterWrites"); // the signal comes once the radio stored this many rows;
                                          // -1: once it served 30 read requests;
                                          // -2: before the batch starts
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("rowsWritten"); // -1: cut somewhere before the end
    QTest::addColumn<QString>("error");
    QTest::newRow("read, SIGINT") << "read" << SIGINT << 1 << -1 << 130 << 0 << "interrupted";
    QTest::newRow("read, SIGTERM") << "read" << SIGTERM << 1 << -1 << 143 << 0 << "interrupted";
    QTest::newRow("write, one SIGINT finishes the write")
        << "write" << SIGINT << 1 << 40 << 130 << 255 << "written, not verified: interrupted";
    QTest::newRow("write, a second SIGINT cuts it")
        << "write" << SIGINT << 2 << 40 << 130 << -1
        << "interrupted; the radio is half-written and must be written again";
    QTest::newRow("write, a second SIGHUP still finishes the write")
        << "write" << SIGHUP << 2 << 40 << 129 << 255 << "written, not verified: interrupted";
    QTest::newRow("write, SIGINT while reading back")
        << "write" << SIGINT << 1 << 255 << 130 << 255 << "written, not verified: interrupted";
    QTest::newRow("write, SIGINT before the batch starts") << "write" << SIGINT << 1 << -2 << 130 << 0 << "interrupted";
    QTest::newRow("read, SIGTERM before the batch starts") << "read" << SIGTERM << 1 << -2 << 143 << 0 << "interrupted";
}

void Cli::interruptionsInEachPhase()
{
    QFETCH(QString, command);
    QFETCH(int, signal);
    QFETCH(int, times);
    QFETCH(int, afterWrites);
    QFETCH(int, status);
    QFETCH(int, rowsWritten);
    QFETCH(QString, error);
    Radios r(2);
    QTemporaryDir dir;
    const QString output = dir.filePath("out");
    if (afterWrites == -2) {
        std::raise(signal);
        QTRY_VERIFY(Interrupts::instance()->happened());
    } else {
        raiseWhen([&] { return afterWrites < 0 ? r[0].readRequests >= 30 : r[0].writeFrames >= afterWrites
                                                                            && (afterWrites < 255 || r[0].readRequests > 0); },
                  signal, times);
    }
    const QStringList arguments = command == "read" ? QStringList{"read", "--json", "-p", r.devices(), "-o", output}
                                                    : QStringList{"write", "--json", "-p", r.devices(), m_file};
    const CliRun result = run(arguments);
    Interrupts::instance()->clear();
    QCOMPARE(result.status, status);
    const QJsonArray ports = QJsonDocument::fromJson(result.out.toUtf8()).object().value("ports").toArray();
    QCOMPARE(ports.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const QJsonObject port = ports.at(i).toObject();
        QCOMPARE(port.value("error").toString(), error);
        // The status is the signal's, which the shell sees; the port's
        // result tells the radio was cut.
        QCOMPARE(port.value("halfWritten").toBool(), rowsWritten < 0);
        QCOMPARE(port.value("rowsWritten").toArray().size() > 0, rowsWritten < 0);
        if (rowsWritten >= 0)
            QCOMPARE(r[i].writeFrames, rowsWritten);
        else
            QVERIFY(r[i].writeFrames < 255);
        // Each link has ended: past the bytes under way, nothing more
        // reaches its radio.
        runEventsFor(30);
        const int received = r[i].received().size();
        runEventsFor(100);
        QCOMPARE(r[i].received().size(), received);
        // No read, nor read-back, runs on to its end after a signal.
        QVERIFY(r[i].readRequests < 256);
        if (afterWrites == -2)
            QCOMPARE(r[i].received(), QByteArray());
    }
    if (command == "read")
        QVERIFY(!QFileInfo::exists(output) || QDir(output).isEmpty());
    QCOMPARE(schemaViolations(result.out), QString());
}

void Cli::traceLabelsEachBlockByTheAddressRequested_data()
{
    QTest::addColumn<bool>("foreignHeader");
    QTest::newRow("header echoing the request") << false;
    QTest::newRow("header 57 hi lo 10 00 of another address") << true;
}

// The reply's header is left unexamined: the image and the trace's labels
// follow the requests, whatever the radio puts in front of its data.
void Cli::traceLabelsEachBlockByTheAddressRequested()
{
    QFETCH(bool, foreignHeader);
    Radios r(1);
    r[0].faults.foreignReplyHeader = foreignHeader;
    for (char &b : r[0].memory)
        b = char(QRandomGenerator::global()->bounded(256));
    QTemporaryDir dir;
    const CliRun result = run({"read", "--trace", dir.filePath("trace"), "-p", r.devices(), "-o",
                               dir.filePath("radio.chann")});
    QCOMPARE(result.status, 0);
    QCOMPARE(memoryOf(fileImage(dir.filePath("radio.chann"))), r[0].memory);
    QFile trace(dir.filePath("trace"));
    QVERIFY(trace.open(QIODevice::ReadOnly));
    const QRegularExpression request(" -> read ([0-9A-F]{4})$"), block(" <- block ([0-9A-F]{4}): ");
    QStringList requested, labelled;
    for (const QString &line : QString::fromUtf8(trace.readAll()).split('\n')) {
        if (const QRegularExpressionMatch m = request.match(line); m.hasMatch())
            requested << m.captured(1);
        if (const QRegularExpressionMatch m = block.match(line); m.hasMatch())
            labelled << m.captured(1);
    }
    QCOMPARE(requested.size(), 256);
    QCOMPARE(labelled, requested);
}

// What lands on each radio: the wake-up and the end of the power link,
// nothing written; the trace holds each port's traffic as its radio logs
// it, with the arrows seen from the program.
void Cli::identifyWakesEachRadioAndTracesItsTraffic()
{
    Radios r(2);
    r[1].memory[0xFF0] = char(17);
    QStringList logged[2];
    for (int i = 0; i < 2; ++i)
        connect(&r[i], &RadioSimulator::traffic, [&logged, i](QString line) {
            if (line.startsWith("<- ") || line.startsWith("-> "))
                logged[i] << line.replace(0, 2, line.startsWith("<-") ? "->" : "<-");
        });
    QTemporaryDir dir;
    const CliRun result = run({"identify", "--json", "--trace", dir.filePath("trace"), "-p", r.devices()});
    QCOMPARE(result.status, 0);
    const QJsonArray ports = QJsonDocument::fromJson(result.out.toUtf8()).object().value("ports").toArray();
    QFile trace(dir.filePath("trace"));
    QVERIFY(trace.open(QIODevice::ReadOnly));
    const QStringList traced = QString::fromUtf8(trace.readAll()).split('\n');
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(r[i].frames, (QList<QByteArray>{"PROGRAM\x02", "b"}));
        QCOMPARE(ports.at(i).toObject().value("lowPower").toInt(), int(quint8(r[i].memory.at(0xFF0))));
        QCOMPARE(ports.at(i).toObject().value("highPower").toInt(), int(quint8(r[i].memory.at(0xFF1))));
        const QRegularExpression ofPort("^ *\\d+\\.\\d{6} " + QRegularExpression::escape(r[i].devicePath()) + " ((<-|->) .*)$");
        QStringList frames;
        for (const QString &line : traced)
            if (const QRegularExpressionMatch match = ofPort.match(line); match.hasMatch())
                frames << match.captured(1);
        QCOMPARE(frames, logged[i]);
    }
}

// A backup is the radio as it was, saved before the write; a radio whose
// backup read fails is not written.
void Cli::writeBackupSavesEachRadioFirst()
{
    Radios r(2);
    r[0].memory[9 * 16] = char(0x12);
    const QByteArray before = r[0].memory;
    r[1].faults.silent = true;
    QTemporaryDir dir;
    // The silent radio gives up sooner.
    LinkTiming timing = scaledTiming();
    timing.frameReplyMs = 150;
    timing.restartMs = 20;
    const CliRun result = run({"write", "--no-verify", "--json", "--backup", dir.filePath("backups"), "-p",
                               r.devices(), m_file},
                              timing);
    QCOMPARE(result.status, 1);
    QCOMPARE(schemaViolations(result.out), QString());
    const QJsonArray ports = QJsonDocument::fromJson(result.out.toUtf8()).object().value("ports").toArray();
    const QStringList files = QDir(dir.filePath("backups")).entryList(QDir::Files);
    QCOMPARE(files.size(), 1);
    QVERIFY2(QRegularExpression("^" + QFileInfo(r[0].devicePath()).fileName() + "-\\d{8}-\\d{6}\\.chann$")
                 .match(files.first()).hasMatch(), qPrintable(files.first()));
    QCOMPARE(ports.at(0).toObject().value("backup").toString(), dir.filePath("backups/" + files.first()));
    QCOMPARE(memoryOf(fileImage(dir.filePath("backups/" + files.first()))), before);
    QCOMPARE(r[0].writeFrames, 255);
    QVERIFY(ports.at(1).toObject().value("error").toString().endsWith("; the radio was not written"));
    QCOMPARE(r[1].writeFrames, 0);
}

// Radio 0's backup path is taken before the write starts: by an earlier
// backup within the same second, or by a folder that appears while the
// radio is read, so that its backup cannot be saved.
void Cli::backupsNeverOverwriteAndAFailedOneStopsItsRadio_data()
{
    QTest::addColumn<bool>("savable");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("files"); // in the backup folder afterwards, beside the earlier backups
    QTest::newRow("an earlier backup in the same second") << true << 0 << 2;
    QTest::newRow("a backup that cannot be saved") << false << 1 << 1;
}

void Cli::backupsNeverOverwriteAndAFailedOneStopsItsRadio()
{
    QFETCH(bool, savable);
    QFETCH(int, status);
    QFETCH(int, files);
    Radios r(2);
    QTemporaryDir dir;
    const QString folder = dir.filePath("backups");
    QVERIFY(QDir().mkpath(folder));
    // Every second the backup's name may carry, from now until the read.
    const QDateTime start = QDateTime::currentDateTime();
    const auto takenPaths = [&] {
        QStringList paths;
        for (QDateTime t = start; t <= QDateTime::currentDateTime().addSecs(2); t = t.addSecs(1))
            paths << QDir(folder).filePath(QFileInfo(r[0].devicePath()).fileName() + '-'
                                           + t.toString("yyyyMMdd-HHmmss") + ".chann");
        return paths;
    };
    const QStringList earlier = savable ? takenPaths() : QStringList();
    for (const QString &path : earlier) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("earlier") == 7);
    }
    // While the radio serves its read, before the program could save it.
    bool taken = false;
    if (!savable)
        connect(&r[0], &RadioSimulator::traffic, [&] {
            if (taken || r[0].readRequests < 30)
                return;
            taken = true;
            for (const QString &path : takenPaths())
                QDir().mkpath(path);
        });
    // Frames sent without a pause: what matters here is only where each
    // backup goes.
    LinkTiming timing = scaledTiming();
    timing.pacerMs = 0;
    const CliRun result = run({"write", "--no-verify", "--json", "--backup", folder, "-p", r.devices(), m_file}, timing);
    QCOMPARE(result.status, status);
    for (const QString &path : earlier) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly) && file.readAll() == "earlier");
    }
    QCOMPARE(QDir(folder).entryList(QDir::Files).size(), earlier.size() + files);
    const QJsonArray ports = QJsonDocument::fromJson(result.out.toUtf8()).object().value("ports").toArray();
    if (savable)
        QVERIFY2(ports.at(0).toObject().value("backup").toString().endsWith("-2.chann"), qPrintable(result.out));
    else
        QVERIFY(ports.at(0).toObject().value("error").toString().endsWith("; the radio was not written"));
    // The progress line names the step once.
    QCOMPARE(result.err.contains(r[0].devicePath() + " backup failed: The file "), !savable);
    QCOMPARE(r[0].writeFrames, savable ? 255 : 0);
    QCOMPARE(r[1].writeFrames, 255);
}

// A field command whose radio read is interrupted ends as the links do,
// and leaves no output behind.
void Cli::fieldCommandsEndOnAnInterruptedRead_data()
{
    QTest::addColumn<QString>("command"); // %f the sample, %p the radio, %o a new path
    QTest::addColumn<int>("signal");
    QTest::newRow("show, SIGINT") << "show radio:%p" << SIGINT;
    QTest::newRow("show -o, SIGTERM") << "show radio:%p -o %o" << SIGTERM;
    QTest::newRow("diff, SIGINT") << "diff %f radio:%p" << SIGINT;
    QTest::newRow("export-csv, SIGTERM") << "export-csv radio:%p -o %o" << SIGTERM;
}

void Cli::fieldCommandsEndOnAnInterruptedRead()
{
    QFETCH(QString, command);
    QFETCH(int, signal);
    Radios r(1);
    r[0].memory[9 * 16] = char(0x12); // diff would find a difference
    QTemporaryDir dir;
    const QString output = dir.filePath("out");
    raiseWhen([&] { return r[0].readRequests >= 30; }, signal);
    const CliRun result = run(command.replace("%f", m_file).replace("%p", r.devices()).replace("%o", output)
                                  .split(QLatin1Char(' ')));
    Interrupts::instance()->clear();
    QCOMPARE(result.status, 128 + signal);
    QCOMPARE(result.out, QString());
    QVERIFY(!QFileInfo::exists(output));
    QVERIFY(r[0].readRequests < 256);
}

// The dry run lists what `diff` lists between the radio and the prepared
// file, and sends the radio nothing but the read; verify reads the same
// differences in the same direction, radio to file.
void Cli::writeDryRunShowsTheDiffAndWritesNothing()
{
    Codeplug prepared;
    QString error;
    QVERIFY(loadImageForWrite(m_file, prepared, error, Language::English));
    Radios r(1);
    r[0].memory = memoryOf(prepared);
    r[0].memory[1 * 16 + 2] = char(0x91); // channel 1's receive frequency
    r[0].memory[9 * 16] = char(0x12);
    QTemporaryDir dir;
    const QString radioFile = dir.filePath("radio.chann"), preparedFile = dir.filePath("prepared.chann");
    QVERIFY(saveCodeplugFile(radioFile, codeplugOf(r[0].memory), error, Language::English) && saveCodeplugFile(preparedFile, prepared, error, Language::English));
    const CliRun diff = run({"diff", "--json", radioFile, preparedFile});
    // The radio's own power calibration, which a write leaves alone.
    r[0].memory[255 * 16] = char(quint8(r[0].memory.at(255 * 16)) ^ 0x10);
    const CliRun result = run({"write", "--dry-run", "--json", "-p", r.devices(), m_file});
    QCOMPARE(result.status, 0);
    const QJsonObject port = QJsonDocument::fromJson(result.out.toUtf8()).object().value("ports").toArray().at(0).toObject();
    const QJsonArray changes = port.value("changes").toArray();
    QVERIFY(changes.size() >= 2);
    QCOMPARE(changes, QJsonDocument::fromJson(diff.out.toUtf8()).object().value("lines").toArray());
    QCOMPARE(r[0].writeFrames, 0);
    // verify names the same differences in the same words.
    const CliRun verify = run({"verify", "--json", "-p", r.devices(), m_file});
    QCOMPARE(verify.status, 1);
    QCOMPARE(QJsonDocument::fromJson(verify.out.toUtf8()).object().value("ports").toArray().at(0).toObject()
                 .value("fields").toArray(), changes);
}

// set takes every assignment through the field's writer, or writes nothing.
void Cli::setStoresUnderTheWindowsRules_data()
{
    QTest::addColumn<QString>("command"); // %f a copy of the sample, %l a link to it, %o a new path, %p a radio
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("printed"); // the output's first line, or the start of the error line
    QTest::addColumn<QString>("written"); // where the change lands (- standard output); none: %f stays
    QTest::newRow("a setting, the file replaced")
        << "set %f option.squelch=2" << 0 << "option squelch: 5 -> 2" << "%f";
    QTest::newRow("a channel's name, into -o, with what it does to the editor's encoding")
        << "set %f channel.1.name=abc --allow-side-effects -o %o" << 0 << "channel 1 name (grid encoding): \"\" -> ABC" << "%o";
    QTest::newRow("a channel's name, refused for what it does to the editor's encoding")
        << "set %f channel.1.name=abc" << 2
        << "%f: channel.1.name: also changes channel 1 power (editor encoding): \"\" -> Middle (they share bytes" << "";
    QTest::newRow("a refused name with a line break, on one line")
        << "set %f channel.1.name=a\nbcdefg" << 2 << "%f: channel.1.name: \"a\\nbcdefg\"" << "";
    QTest::newRow("through a link, which stays") << "set %l option.squelch=2" << 0 << "option squelch: 5 -> 2" << "%f";
    QTest::newRow("to standard output") << "set %f option.squelch=2 -o -" << 0 << "" << "-";
    QTest::newRow("one refusal writes nothing")
        << "set %f option.squelch=2 option.squelch=10" << 2 << "%f: option.squelch: \"10\" is not one of" << "";
    QTest::newRow("an unknown field") << "set %f option.none=1" << 2 << "%f: option.none: no such field" << "";
    QTest::newRow("not an assignment") << "set %f option.squelch" << 64 << "option.squelch: not of the form" << "";
    QTest::newRow("a frequency the raster moves, noted")
        << "set %f channel.1.receive=438.1234" << 0 << "note: channel.1.receive 438.1234 snapped to 438.12000" << "%f";
    QTest::newRow("on a radio, a frequency the raster moves, noted")
        << "set -p %p channel.1.receive=438.1234" << 0 << "note: channel.1.receive 438.1234 snapped to 438.12000" << "";
}

void Cli::setStoresUnderTheWindowsRules()
{
    QFETCH(QString, command);
    QFETCH(int, status);
    QFETCH(QString, printed);
    QFETCH(QString, written);
    QTemporaryDir dir;
    const QString file = dir.filePath("a.chann"), link = dir.filePath("link.chann"), output = dir.filePath("out.chann");
    QVERIFY(QFile::copy(m_file, file) && QFile::link(file, link));
    Radios r(1);
    const auto fill = [&](QString text) {
        return text.replace("%f", file).replace("%l", link).replace("%o", output).replace("%p", r.devices());
    };
    const CliRun result = run(fill(command).split(QLatin1Char(' ')));
    QCOMPARE(result.status, status);
    if (status != 0 || printed.startsWith("note: "))
        QVERIFY2(result.errors().value(0).startsWith("kvd9-cli: " + fill(printed)), qPrintable(result.err));
    else if (!printed.isEmpty())
        QCOMPARE(result.out.section('\n', 0, 0), printed);
    QVERIFY(QFileInfo(link).isSymLink());
    Codeplug changed;
    if (written == "-") {
        QList<int> values;
        QString error;
        QVERIFY2(parseChannelFile(result.out.toLatin1(), values, error, Language::English), qPrintable(error));
        for (int k = 0; k < values.size(); ++k)
            changed.at(k / RowBytes, k % RowBytes) = qint16(values.at(k));
    } else if (!written.isEmpty()) {
        changed = fileImage(fill(written));
    }
    const Codeplug sample = fileImage(m_file);
    QCOMPARE(memoryOf(fileImage(file)) == memoryOf(sample), written != "%f");
    if (!written.isEmpty())
        QCOMPARE(readField(changed, *findField("option.squelch"), Language::English), command.contains("squelch=2") ? "2" : "5");
}

// The bash script, sourced in bash, completes subcommands, their options
// and option values as the table and each subcommand's help give them.
void Cli::bashCompletesFromTheTable_data()
{
    QTest::addColumn<QString>("line"); // the words typed, the last one being completed
    QTest::addColumn<QString>("reply");
    QTest::newRow("a subcommand") << "kvd9-cli wri" << "write";
    QTest::newRow("after a global option") << "kvd9-cli --lang zh exp" << "export-csv";
    QTest::newRow("a subcommand's option") << "kvd9-cli write --no" << "--no-verify";
    QTest::newRow("an option set adds") << "kvd9-cli set --out" << "--output";
    QTest::newRow("an option's value") << "kvd9-cli import-csv --format g" << "generic";
}

void Cli::bashCompletesFromTheTable()
{
    QFETCH(QString, line);
    QFETCH(QString, reply);
    if (!QFileInfo::exists("/bin/bash"))
        QSKIP("no bash");
    QTemporaryDir dir;
    QFile script(dir.filePath("kvd9-cli"));
    const CliRun generated = run({"completion", "bash"});
    QVERIFY(script.open(QIODevice::WriteOnly) && script.write(generated.out.toUtf8()) > 0);
    script.close();
    // Every subcommand is in each shell's script.
    for (const char *shell : {"bash", "zsh", "fish"})
        for (const Subcommand &subcommand : subcommands())
            QVERIFY(run({"completion", shell}).out.contains(QString::fromLatin1(subcommand.name)));
    QProcess bash;
    bash.start("/bin/bash", {"--norc", "-c",
                             "source \"$1\"; COMP_WORDS=($2); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _kvd9_cli; "
                             "echo \"${COMPREPLY[*]}\"",
                             "bash", script.fileName(), line});
    QVERIFY(bash.waitForFinished());
    QCOMPARE(QString::fromUtf8(bash.readAllStandardOutput()).trimmed(), reply);
}

// The completion scripts parse each subcommand's English help, also under
// --lang zh, which stays the language of the run.
void Cli::completionIsEnglishInEitherLanguage()
{
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    CliContext context{outStream, errStream, false, scaledTiming()};
    QCOMPARE(runCli({"--lang", "zh", "completion", "fish"}, context), 0);
    outStream.flush();
    QCOMPARE(context.language, Language::Chinese);
    QVERIFY(out.contains("-d 'Show this help.'"));
    QCOMPARE(out, run({"completion", "fish"}).out);
}

// A listing of differences reads each channel in one encoding: the grid's,
// or with --encoding editor the editor's; a set lists the encoding it set
// through. The other encoding shows only where the listed one names no
// change of its bits.
void Cli::listingsShowOneEncoding_data()
{
    QTest::addColumn<QString>("command"); // %f the sample, %g the sample with channel 2 named KV9, %o a new path
    QTest::addColumn<QStringList>("lines");
    const QStringList kv9{"channel 2 name (grid encoding): \"\" -> KV9"};
    const QStringList both{"channel 2 name (grid encoding): \"\" -> KV9", "channel 2 power (editor encoding): \"\" -> Middle",
                           "channel 2 bandwidth (editor encoding): Narrow -> Wide",
                           "channel 2 scan add (editor encoding): Off -> On", "channel 2 vox (editor encoding): On -> Off",
                           "channel 2 bcl (editor encoding): On -> Off", "channel 2 tx stop (editor encoding): On -> Off"};
    // set lists every change in both encodings, whichever it set through.
    QTest::newRow("set through the grid") << "set %f channel.2.name=KV9 --allow-side-effects -o %o" << both;
    QTest::newRow("set through the editor")
        << "set %g channel.2.editor.bandwidth=Narrow --allow-side-effects -o %o"
        << QStringList{"channel 2 name (grid encoding): KV9 -> KV", "channel 2 bandwidth (editor encoding): Wide -> Narrow"};
    QTest::newRow("diff") << "diff %f %g" << kv9;
    QTest::newRow("diff --encoding editor") << "diff --encoding editor %f %g" << both;
    QTest::newRow("diff of an editor change only") << "diff %f %e"
                                                   << QStringList{"channel 2 bandwidth (editor encoding): Narrow -> Wide"};
}

void Cli::listingsShowOneEncoding()
{
    QFETCH(QString, command);
    QFETCH(QStringList, lines);
    QTemporaryDir dir;
    const QString named = dir.filePath("g.chann"), editor = dir.filePath("e.chann");
    QCOMPARE(run({"set", m_file, "channel.2.name=KV9", "--allow-side-effects", "-o", named}).status, 0);
    QCOMPARE(run({"set", m_file, "channel.2.editor.bandwidth=Wide", "-o", editor}).status, 0);
    const CliRun result = run(command.replace("%f", m_file).replace("%g", named).replace("%e", editor)
                                  .replace("%o", dir.filePath("out.chann")).split(' '));
    QVERIFY2(result.status <= 1, qPrintable(result.err));
    QCOMPARE(result.out.split('\n', Qt::SkipEmptyParts), lines);
}

// Every output is replaced whole or not at all, with the system's reason;
// an output that is the program's own standard output is written to as a
// stream, after what the stream already holds. The program itself runs,
// under a file-size limit (a full disk), in a folder it may not write, or
// with standard output appended to the target.
void Cli::outputsSurviveFailures_data()
{
    QTest::addColumn<QString>("command"); // %f a copy of the sample, %c a plan, %p a radio,
                                          // %o the output (holding "old"), %d its folder
    QTest::addColumn<QString>("failure"); // full, unwritable or stdout
    QTest::newRow("export-csv, full disk") << "export-csv %f -o %o" << "full";
    QTest::newRow("export-csv, unwritable") << "export-csv %f -o %o" << "unwritable";
    QTest::newRow("export-csv, own stdout") << "export-csv %f -o %o" << "stdout";
    QTest::newRow("show, full disk") << "show %f -o %o" << "full";
    QTest::newRow("show, own stdout") << "show %f -o %o" << "stdout";
    QTest::newRow("import-csv, full disk") << "import-csv %c --base %f -o %o" << "full";
    QTest::newRow("import-csv, own stdout") << "import-csv %c --base %f -o %o" << "stdout";
    QTest::newRow("set, full disk") << "set %f option.squelch=2 -o %o" << "full";
    QTest::newRow("set, unwritable") << "set %f option.squelch=2 -o %o" << "unwritable";
    QTest::newRow("set, own stdout") << "set %f option.squelch=2 -o %o" << "stdout";
    QTest::newRow("read, full disk") << "read -p %p -o %o" << "full";
    QTest::newRow("write --backup, unwritable") << "write --backup %d -p %p %f" << "unwritable";
    QTest::newRow("trace, own stdout") << "identify -p %p --trace %o" << "stdout";
}

void Cli::outputsSurviveFailures()
{
    QFETCH(QString, command);
    QFETCH(QString, failure);
    Radios r(1);
    QTemporaryDir dir;
    const QString folder = dir.filePath("out"), output = folder + "/target", file = dir.filePath("a.chann"),
                  plan = dir.filePath("plan.csv");
    QVERIFY(QDir().mkdir(folder) && QFile::copy(m_file, file));
    for (const auto &[path, text] : {std::pair{output, "old\n"}, std::pair{plan, "channel,receive\n5,439.1\n"}}) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(text) > 0);
    }
    // Where the tests run as root, who may write into any folder, the
    // program runs as nobody.
    const QFile::Permissions readable = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::ReadGroup;
    const QFile::Permissions enterable = readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    QVERIFY(QFile::setPermissions(dir.path(), enterable) && QFile::setPermissions(file, readable)
            && QFile::setPermissions(output, readable | QFile::WriteOther)
            && QFile::setPermissions(plan, readable)
            && QFile::setPermissions(folder, failure == "unwritable" ? enterable & ~QFile::WriteOwner : enterable));
    QProcess program;
    const int mode = failure == "full" ? 1 : failure == "unwritable" ? 2 : 3;
    if (mode == 3)
        program.setStandardOutputFile(output, QIODevice::Append);
    program.setChildProcessModifier([mode] {
        if (mode == 1) {
            const rlimit limit{100, 100};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ::signal(SIGXFSZ, SIG_IGN);
        } else if (mode == 2 && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(99);
        }
    });
    const QStringList arguments = command.replace("%f", file).replace("%c", plan).replace("%p", r.devices())
                                      .replace("%o", output).replace("%d", folder).split(' ');
    const ProgramRun result = runProgram(program, QStringLiteral(KVD9_CLI), arguments);
    QFile target(output);
    QVERIFY(target.open(QIODevice::ReadOnly));
    const QByteArray after = target.readAll();
    QVERIFY(!result.bySignal);
    if (mode == 3) {
        QVERIFY2(result.code == 0, result.err.constData());
        QVERIFY(after.startsWith("old\n") && after.size() > 20);
        return;
    }
    QCOMPARE(result.code, 2);
    QVERIFY2(result.err.contains(mode == 1 ? "File too large" : "Permission denied"), result.err.constData());
    QCOMPARE(after, QByteArray("old\n"));
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"target"});
}

// One Ctrl+C reaches the whole foreground process group, the shell's loop
// and the program: what is under way finishes (a write; show blocked on a
// full pipe, where no event loop runs, once the reader goes), then the
// program ends by the signal, so that bash stops its loop and runs no
// further turn.
void Cli::ctrlCStopsABatchLoop_data()
{
    QTest::addColumn<QString>("loop"); // bash; $1 the program, $2 $3 the radios, $4 the sample, $5 a FIFO
    QTest::addColumn<int>("frames");   // the first radio's write frames
    QTest::newRow("write") << "for p in \"$2\" \"$3\"; do \"$1\" write --no-verify -p \"$p\" \"$4\"; done" << 255;
    QTest::newRow("show into a full pipe") << "for o in \"$5\" /dev/null; do \"$1\" show \"$4\" >\"$o\"; done" << 0;
}

void Cli::ctrlCStopsABatchLoop()
{
    QFETCH(QString, loop);
    QFETCH(int, frames);
    Radios r(2);
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo");
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    // The reader that never reads, until the signal came; its pipe holds
    // one page, less than show prints.
    int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    QVERIFY(reader >= 0 && ::fcntl(reader, F_SETPIPE_SZ, 4096) == 4096);
    const auto waiting = [&] {
        int bytes = 0;
        return reader >= 0 && ::ioctl(reader, FIONREAD, &bytes) == 0 && bytes > 0;
    };
    QProcess bash;
    bash.setChildProcessModifier([] { ::setpgid(0, 0); });
    doWhen([&] { return r[0].writeFrames >= 40 || waiting(); }, [&] {
        ::kill(-pid_t(bash.processId()), SIGINT);
        QTimer::singleShot(100, &bash, [&] { ::close(std::exchange(reader, -1)); });
    });
    const ProgramRun result = runProgram(bash, QStringLiteral("/bin/bash"),
        {"-c", loop + "; echo the loop went on", "bash", KVD9_CLI, r[0].devicePath(), r[1].devicePath(), m_file, fifo});
    if (reader >= 0)
        ::close(reader);
    QCOMPARE(r[0].writeFrames, frames);
    QCOMPARE(r[1].writeFrames, 0);
    QVERIFY2(result.bySignal, qPrintable(QString::number(result.code) + result.out + result.err));
    QCOMPARE(result.code, SIGINT);
    QVERIFY(!result.out.contains("went on"));
}

// A closed terminal or a dropped session: the write under way finishes and
// the program ends by SIGHUP, telling it on standard error while that is
// there, and not ended by a standard stream that is gone.
void Cli::hangUpFinishesTheWriteUnderWay_data()
{
    QTest::addColumn<bool>("streamsGone");
    QTest::newRow("error stream there") << false;
    QTest::newRow("error stream gone") << true;
}

void Cli::hangUpFinishesTheWriteUnderWay()
{
    QFETCH(bool, streamsGone);
    Radios r(1);
    QProcess program;
    if (streamsGone)
        program.setChildProcessModifier([] {
            int ends[2];
            if (::pipe(ends) == 0 && ::dup2(ends[1], 1) >= 0 && ::dup2(ends[1], 2) >= 0)
                ::close(ends[0]);
        });
    doWhen([&] { return r[0].writeFrames >= 40; }, [&] { ::kill(pid_t(program.processId()), SIGHUP); });
    const ProgramRun result =
        runProgram(program, QStringLiteral(KVD9_CLI), {"write", "-p", r[0].devicePath(), m_file});
    QCOMPARE(r[0].writeFrames, 255);
    QCOMPARE(r[0].readRequests, 0);
    QVERIFY(result.bySignal);
    QCOMPARE(result.code, SIGHUP);
    if (!streamsGone)
        QVERIFY2(result.err.contains("written, not verified: interrupted"), result.err.constData());
}

// On a terminal the progress lines are redrawn; the first Ctrl+C's warning
// stays on the screen below them, where it was printed, and the progress
// line says what goes on. Lines longer than the terminal is wide wrap.
void Cli::firstCtrlCWarningStaysOnTheTerminal()
{
    if (!QFileInfo::exists("/usr/bin/script"))
        QSKIP("no script");
    Radios r(1);
    QProcess script;
    QByteArray drawn;
    connect(&script, &QProcess::readyReadStandardOutput, [&] { drawn += script.readAllStandardOutput(); });
    doWhen([&] { return r[0].writeFrames >= 40; }, [&] { script.write("\x03"); });
    const int columns = 60;
    runProgram(script, QStringLiteral("/usr/bin/script"),
               {"-qec",
                QStringLiteral("stty cols %1 && '%2' write --no-verify -p '%3' '%4'")
                    .arg(columns).arg(KVD9_CLI, r[0].devicePath(), m_file),
                "/dev/null"});
    QCOMPARE(r[0].writeFrames, 255);
    const QString stream = QString::fromUtf8(drawn);
    QVERIFY2(stream.contains("(finishing the write; Ctrl+C again cuts it)"), qPrintable(stream));
    const QStringList screen = terminalScreen(stream, columns);
    const QString shown = screen.join('\n');
    // The one line that matches, or -1.
    const auto lineOf = [&](const QString &pattern) {
        const QStringList found = screen.filter(QRegularExpression(pattern));
        return found.size() == 1 ? int(screen.indexOf(found.first())) : -1;
    };
    const int progress = lineOf("^" + QRegularExpression::escape(r[0].devicePath()) + " failed: written, not verified: interrupted");
    const int warning = lineOf("^kvd9-cli: " + QRegularExpression::escape(r[0].devicePath())
                               + ": writing; .* Press Ctrl\\+C again to stop at once");
    QVERIFY2(progress >= 0 && warning == progress + 1, qPrintable(shown));
}

namespace {

QList<int> intList(const QJsonValue &array)
{
    QList<int> list;
    for (const QJsonValue &v : array.toArray())
        list << v.toInt();
    return list;
}

QList<int> rows(int first, int last, QList<int> more = {})
{
    for (int r = first; r <= last; ++r)
        more << r;
    std::sort(more.begin(), more.end());
    return more;
}

// The rows of the radio's read requests and of its write frames, as it received them.
QList<int> framedRows(const RadioSimulator &radio, char command)
{
    QList<int> list;
    for (const QByteArray &frame : radio.frames) {
        const int at = frame.startsWith('\x06') ? 1 : 0;
        if (frame.size() > at + 2 && frame.at(at) == command)
            list << ((quint8(frame.at(at + 1)) << 8) | quint8(frame.at(at + 2))) / 16;
    }
    std::sort(list.begin(), list.end());
    return list;
}

QJsonObject firstPort(const CliRun &result)
{
    return QJsonDocument::fromJson(result.out.toUtf8()).object().value("ports").toArray().at(0).toObject();
}

} // namespace

// set -p reads the rows of its fields, the write preparation's rows and the
// rows that decide the first channel in use or that its range checks need;
// it writes and reads back only the rows that changed, and leaves the radio
// as a whole write of the same change does.
void Cli::setOnRadiosMovesOnlyTheRowsOfItsChange_data()
{
    QTest::addColumn<QStringList>("assignments");
    QTest::addColumn<bool>("stale"); // a radio this program never wrote: row 0, the marker and row 252's own bytes
    QTest::addColumn<QList<int>>("read");
    QTest::addColumn<QList<int>>("written");
    const QList<int> preparation{0, 1, 220, 251, 252};
    QTest::newRow("option") << QStringList{"option.squelch=2"} << false << preparation << QList<int>{252};
    // A grid name changes the editor's reading of its bytes.
    QTest::newRow("channel") << QStringList{"channel.2.name=AB", "--allow-side-effects"} << false << rows(2, 2, preparation + QList<int>{250})
                             << QList<int>{2};
    QTest::newRow("vfo") << QStringList{"vfo.receive=420"} << false << rows(130, 130, preparation + QList<int>{250})
                         << QList<int>{130};
    QTest::newRow("range checks every frequency")
        << QStringList{"range.high=460"} << false << rows(2, 128, {0, 1, 130, 220, 250, 251, 252}) << QList<int>{250};
    QTest::newRow("dtmf") << QStringList{"dtmf.pre_time=100"} << false << rows(254, 254, preparation)
                          << QList<int>{254};
    QTest::newRow("fm") << QStringList{"fm.0=88.5"} << false << rows(253, 253, preparation) << QList<int>{253};
    QTest::newRow("scan") << QStringList{"scan.dropout_delay=200"} << false
                          << rows(240, 240, preparation) << QList<int>{240};
    QTest::newRow("key") << QStringList{"key.pf1=Monitor"} << false << rows(240, 240, preparation)
                         << QList<int>{240};
    QTest::newRow("message") << QStringList{"message=HELLO"} << false << rows(209, 209, preparation)
                             << QList<int>{209};
    QTest::newRow("first used channel moves")
        << QStringList{"channel.1.receive="} << false << rows(2, 5, preparation + QList<int>{250})
        << QList<int>{1, 252};
    QTest::newRow("radio never written by the program")
        << QStringList{"option.squelch=2"} << true << preparation << QList<int>{0, 252};
}

void Cli::setOnRadiosMovesOnlyTheRowsOfItsChange()
{
    QFETCH(QStringList, assignments);
    QFETCH(bool, stale);
    QFETCH(QList<int>, read);
    QFETCH(QList<int>, written);
    Radios r(2);
    if (stale) {
        r[0].memory[0] = 0x00;
        r[0].memory[252 * 16 + 7] = 3;
    }
    r[1].memory = r[0].memory;
    QTemporaryDir traces;
    const QString trace = traces.filePath("trace");
    const CliRun result = run(QStringList{"set", "--json", "--trace", trace, "-p", r[0].devicePath()} + assignments);
    QCOMPARE(result.status, 0);
    QCOMPARE(schemaViolations(result.out), QString());
    // Every read, the write and the read-back on one opening of the port.
    QFile traced(trace);
    QVERIFY(traced.open(QIODevice::ReadOnly));
    QCOMPARE(traced.readAll().count(" port opened\n"), 1);
    const QJsonObject port = firstPort(result);
    QCOMPARE(intList(port.value("rowsRead")), read);
    QCOMPARE(intList(port.value("rowsWritten")), written);
    // Counted in what the radio received: each row once, and the written
    // rows once more in the read-back.
    QCOMPARE(framedRows(r[0], 'W'), written);
    QList<int> requested = read + written;
    std::sort(requested.begin(), requested.end());
    QCOMPARE(framedRows(r[0], 'R'), requested);
    // The same change as a whole write: the file changed by `set`, then written.
    QTemporaryDir dir;
    const QString file = dir.filePath("radio.chann");
    QString error;
    QVERIFY(saveCodeplugFile(file, codeplugOf(r[1].memory), error, Language::English));
    QCOMPARE(run(QStringList{"set", file} + assignments).status, 0);
    QCOMPARE(run({"write", "--no-verify", "-p", r[1].devicePath(), file}).status, 0);
    QCOMPARE(r[0].memory, r[1].memory);
}

// A lost reply or a refused frame restarts the link in whichever phase;
// a radio that stays silent is reported half-written with the rows whose
// frames reached it (silent only in the read-back: written, not verified),
// and no other row is touched.
void Cli::partialWriteSurvivesALostFrameOrNamesItsRows_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("at");
    QTest::addColumn<int>("status");
    QTest::addColumn<QList<int>>("written");
    QTest::newRow("read reply lost") << "dropReadReplyAt" << 2 << 0 << QList<int>{2, 252};
    QTest::newRow("write acknowledgement lost") << "dropAckAt" << 1 << 0 << QList<int>{2, 252};
    QTest::newRow("write frame refused") << "refuseWriteAt" << 0 << 0 << QList<int>{2, 252};
    // Seven rows read first: 0, 1, 2, 220, 250, 251, 252.
    QTest::newRow("read-back reply lost") << "dropReadReplyAt" << 7 << 0 << QList<int>{2, 252};
    QTest::newRow("a written byte stored wrong") << "corruptByteAt" << 252 * 16 + 2 << 1 << QList<int>{2, 252};
    QTest::newRow("silent from the first frame") << "silentFromWrite" << 0 << 3 << QList<int>{2};
    QTest::newRow("silent from the second frame") << "silentFromWrite" << 1 << 3 << QList<int>{2, 252};
    QTest::newRow("silent from the read-back") << "silentFromRead" << 7 << 1 << QList<int>{2, 252};
}

void Cli::partialWriteSurvivesALostFrameOrNamesItsRows()
{
    QFETCH(QString, fault);
    QFETCH(int, at);
    QFETCH(int, status);
    QFETCH(QList<int>, written);
    Radios r(2);
    const QByteArray before = r[0].memory;
    RadioSimulator::Faults &faults = r[0].faults;
    (fault == "dropReadReplyAt" ? faults.dropReadReplyAt
     : fault == "dropAckAt"     ? faults.dropAckAt
     : fault == "refuseWriteAt" ? faults.refuseWriteAt
     : fault == "corruptByteAt" ? faults.corruptByteAt
     : fault == "silentFromRead" ? faults.silentFromRead
                                : faults.silentFromWrite) = at;
    const CliRun result
        = run({"set", "--json", "-p", r.devices(), "--allow-side-effects", "channel.2.name=AB", "option.squelch=2"});
    QCOMPARE(result.status, status);
    QCOMPARE(schemaViolations(result.out), QString());
    const QJsonObject port = firstPort(result);
    QCOMPARE(intList(port.value("rowsWritten")), written);
    QCOMPARE(port.value("halfWritten").toBool(), status == 3);
    if (status == 0) {
        // As the radio without the fault.
        QCOMPARE(r[0].memory, r[1].memory);
        return;
    }
    if (fault == "corruptByteAt") {
        // Reported as verify reports it.
        QCOMPARE(port.value("differences").toArray().size(), 1);
        QVERIFY(result.errors().join('\n').contains(QStringLiteral("1 bytes differ")));
        return;
    }
    QVERIFY2(result.errors().join('\n').contains(status == 3 ? QStringLiteral("rows written: ") + rowList(written)
                                                              : QStringLiteral("written, not verified: ")),
             qPrintable(result.err));
    for (int row = 0; row < 256; ++row)
        if (!written.contains(row))
            QCOMPARE(r[0].memory.mid(row * 16, 16), before.mid(row * 16, 16));
}

// write --changed-only sends and reads back only the rows that differ from
// the file; a dry run of set lists its change and writes nothing.
void Cli::changedOnlyAndDryRunMoveOnlyDifferingRows_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QList<int>>("differing"); // radio rows that differ from the file beforehand
    QTest::addColumn<QString>("key");
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("three channels differ") << "write --changed-only" << QList<int>{4, 9, 30} << "rowsWritten"
                                           << QList<int>{4, 9, 30};
    QTest::newRow("the radio holds the file") << "write --changed-only" << QList<int>{} << "rowsWritten"
                                              << QList<int>{};
    QTest::newRow("row 255 is never written") << "write --changed-only" << QList<int>{255} << "rowsWritten"
                                              << QList<int>{};
    QTest::newRow("set --dry-run") << "set --dry-run option.squelch=2" << QList<int>{} << "rowsToWrite"
                                   << QList<int>{252};
}

void Cli::changedOnlyAndDryRunMoveOnlyDifferingRows()
{
    QFETCH(QString, command);
    QFETCH(QList<int>, differing);
    QFETCH(QString, key);
    QFETCH(QList<int>, rows);
    Codeplug prepared;
    QString error;
    QVERIFY(loadImageForWrite(m_file, prepared, error, Language::English));
    Radios r(1);
    r[0].memory = memoryOf(prepared);
    for (const int row : differing)
        r[0].memory[row * 16 + 5] = char(0x42);
    const QByteArray before = r[0].memory;
    QStringList arguments = command.split(QLatin1Char(' '));
    arguments.insert(1, "--json");
    arguments.insert(2, "-p");
    arguments.insert(3, r.devices());
    if (arguments.first() == "write")
        arguments << m_file;
    const CliRun result = run(arguments);
    QCOMPARE(result.status, 0);
    QCOMPARE(schemaViolations(result.out), QString());
    QCOMPARE(intList(firstPort(result).value(key)), rows);
    QCOMPARE(framedRows(r[0], 'W'), key == "rowsWritten" ? rows : QList<int>{});
    if (key == "rowsToWrite") {
        QCOMPARE(r[0].memory, before);
        QCOMPARE(firstPort(result).value("changes").toArray(), QJsonArray{"option squelch: 5 -> 2"});
        return;
    }
    // No write link when nothing differs.
    QCOMPARE(r[0].wakeUps, rows.isEmpty() ? 1 : 3);
    QCOMPARE(r[0].memory.left(255 * 16), memoryOf(prepared).left(255 * 16));
}

QTEST_MAIN(Cli)
#include "tst_cli.moc"
