// The companion program's subcommands, called in-process against simulated
// radios on pseudo-terminals with the real serial port.
#include "cli/CliContext.h"
#include "cli/CodeplugFile.h"
#include "cli/Interrupts.h"
#include "cli/Subcommands.h"
#include "core/ChannelFile.h"
#include "link/LinkFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
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

CliRun run(const QStringList &arguments, const LinkTiming &timing = scaledTiming())
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    CliContext context{outStream, errStream, false, timing};
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
    return QByteArray(reinterpret_cast<const char *>(image.bytes().data()), Codeplug::Size);
}

Codeplug fileImage(const QString &path)
{
    ImageScope scope;
    QString error;
    if (!LoadChannelFile(path, error))
        qFatal("%s", qPrintable(error));
    return Codeplug::fromImage();
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

} // namespace

class Cli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everySubcommandHasHelp();
    void readSavesEveryRadioToItsFile_data();
    void readSavesEveryRadioToItsFile();
    void writeAndVerifyCompareEveryWrittenByte_data();
    void writeAndVerifyCompareEveryWrittenByte();
    void fourRadiosAtOnceFailIndependently();
    void badInputGivesOneLineNamingPortOrFile_data();
    void badInputGivesOneLineNamingPortOrFile();
    void fieldCommandsTakeFilesAndRadios();
    // An interruption holds for the rest of the process, as in the program:
    // it comes last.
    void interruptionEndsEveryLinkAndSavesNothing();

private:
    QTemporaryDir m_dir;
    QString m_file; // the sample memory as a .chann file
};

void Cli::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_file = m_dir.filePath(QStringLiteral("sample.chann"));
    QString error;
    QVERIFY2(saveImage(codeplugOf(RadioSimulator::sampleMemory()), m_file, error), qPrintable(error));
}

void Cli::everySubcommandHasHelp()
{
    for (const Subcommand &subcommand : subcommands()) {
        const QString name = QString::fromLatin1(subcommand.name);
        const CliRun result = run({name, "--help"});
        QCOMPARE(result.status, 0);
        QVERIFY2(result.out.startsWith("Usage: kvd9-cli " + name + " [options]"), qPrintable(result.out));
        QVERIFY(result.out.contains(QString::fromUtf8(subcommand.english)));
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
    QVERIFY(loadImageForWrite(m_file, prepared, error));
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
    QCOMPARE(result.errors(), QStringList{QStringLiteral("kvd9-cli: %1: the radio does not answer")
                                              .arg(r[2].devicePath())});
    const QJsonObject json = QJsonDocument::fromJson(result.out.toUtf8()).object();
    QCOMPARE(json.value("failed").toInt(), 1);
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
    QTest::addColumn<QString>("command"); // %f the file, %b a malformed file, %p the radio
    QTest::addColumn<int>("fault");       // 0 none, 1 silent, 2 cable pulled at read request 60
    QTest::addColumn<QString>("error");   // the start of the one error line
    QTest::newRow("missing file") << "write -p %p %f.none" << 0 << "%f.none: ";
    QTest::newRow("malformed file") << "verify -p %p %b" << 0 << "%b: ";
    QTest::newRow("unknown port") << "read -p 9 -o %f.out" << 0 << "unknown port: 9";
    QTest::newRow("unknown port, Chinese") << "read --lang zh -p 9 -o %f.out" << 0 << "未知端口：9";
    QTest::newRow("port that cannot open") << "read -p /dev/kvd9-none -o %f.out" << 0
                                           << "/dev/kvd9-none: cannot open the port: ";
    QTest::newRow("no answer") << "read -p %p -o %f.out" << 1 << "%p: the radio does not answer";
    QTest::newRow("device pulled") << "read -p %p -o %f.out" << 2 << "%p: the device was lost";
}

void Cli::badInputGivesOneLineNamingPortOrFile()
{
    QFETCH(QString, command);
    QFETCH(int, fault);
    QFETCH(QString, error);
    Radios r(1);
    r[0].faults.silent = fault == 1;
    r[0].faults.hangUpAtReadRequest = fault == 2 ? 60 : -1;
    const QString bad = m_dir.filePath(QStringLiteral("bad.chann"));
    QFile badFile(bad);
    QVERIFY(badFile.open(QIODevice::WriteOnly));
    badFile.write("1 2 x\r\n");
    badFile.close();
    const auto fill = [&](QString text) {
        return text.replace("%f", m_file).replace("%b", bad).replace("%p", r.devices());
    };
    // A short restart pause: the pulled cable is noticed at the restart.
    const CliRun result = run(fill(command).split(QLatin1Char(' ')));
    QVERIFY(result.status != 0);
    QCOMPARE(result.errors().size(), 1);
    QVERIFY2(result.errors().first().startsWith("kvd9-cli: " + fill(error)), qPrintable(result.err));
    QVERIFY(!QFile::exists(m_file + ".out"));
}

void Cli::interruptionEndsEveryLinkAndSavesNothing()
{
    Interrupts::install();
    Radios r(2);
    const QString folder = m_dir.filePath(QStringLiteral("interrupted"));
    QTimer::singleShot(300, [] { std::raise(SIGINT); });
    const CliRun result = run({"read", "-p", r.devices(), "-o", folder});
    QCOMPARE(result.status, 2);
    QCOMPARE(result.errors().size(), 2);
    QVERIFY(result.errors().first().endsWith(": interrupted"));
    QVERIFY(QDir(folder).entryList(QDir::Files | QDir::Hidden).isEmpty());
    const int received = r[0].received().size() + r[1].received().size();
    runEventsFor(200);
    QCOMPARE(r[0].received().size() + r[1].received().size(), received);
}

QTEST_MAIN(Cli)
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

#include "tst_cli.moc"
