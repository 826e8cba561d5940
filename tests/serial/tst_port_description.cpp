// Which ports the program offers and what it tells about them: the
// announcements of simulated radios, and whether a user may open a device.
#include "serial/PortDescription.h"
#include "serial/PortDirectory.h"
#include "serial/SerialPort.h"
#include "serial/SystemPortList.h"
#include "sim/RadioSimulator.h"

#include <QDir>
#include <QFile>
#include <QSerialPortInfo>
#include <QTemporaryDir>
#include <QTest>

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

class TestPortDescription : public QObject {
    Q_OBJECT
private slots:
    void accessByOwnerGroupAndMode_data();
    void accessByOwnerGroupAndMode();
    void onlyOwnLiveAnnouncementsOfPseudoTerminalsAreListed_data();
    void onlyOwnLiveAnnouncementsOfPseudoTerminalsAreListed();
    void lockFileOfAnotherProgramIsNamed_data();
    void lockFileOfAnotherProgramIsNamed();
    void missingDeviceIsToldInTheLanguageAsked_data();
    void missingDeviceIsToldInTheLanguageAsked();
    void oneLookAtTheSystemPerListing_data();
    void oneLookAtTheSystemPerListing();
    void numbersRecordIsWrittenOnlyWhenANumberChanges_data();
    void numbersRecordIsWrittenOnlyWhenANumberChanges();
    void onlyTtysThatCanBeSerialPortsAreAskedAbout_data();
    void onlyTtysThatCanBeSerialPortsAreAskedAbout();
};

namespace {

// Ports as a system with USB adapters would list them: named after `names`.
QList<SystemPort> fakePorts(const QStringList &names)
{
    QList<SystemPort> ports;
    for (const QString &name : names)
        ports << SystemPort{QStringLiteral("/dev/") + name, name, QStringLiteral("FT232R USB UART"),
                            QStringLiteral("FTDI"), QStringLiteral("A%1").arg(name), 0x0403, 0x6001};
    return ports;
}

// Which file the record is now (a write replaces it), or 0 when there is none.
quint64 recordFile(const QString &folder)
{
    struct stat status {};
    return ::stat(QFile::encodeName(folder + QStringLiteral("/port-numbers")).constData(), &status) == 0
        ? quint64(status.st_ino) + 1
        : 0;
}

} // namespace

void TestPortDescription::accessByOwnerGroupAndMode_data()
{
    QTest::addColumn<uint>("mode");
    QTest::addColumn<uint>("ownerUid");
    QTest::addColumn<uint>("userUid");
    QTest::addColumn<QList<uint>>("userGroups");
    QTest::addColumn<bool>("mayOpen");
    QTest::addColumn<QString>("remedy");
    const uint dialout = 20;
    QTest::newRow("group member") << 0660u << 0u << 1000u << QList<uint>{1000, dialout} << true << "";
    QTest::newRow("not in the owning group")
        << 0660u << 0u << 1000u << QList<uint>{1000} << false
        << "Join the group \"dialout\" (for example: sudo usermod -aG dialout $USER) and log in again.";
    QTest::newRow("open to everyone") << 0666u << 0u << 1000u << QList<uint>{1000} << true << "";
    QTest::newRow("owner only, someone else's")
        << 0600u << 0u << 1000u << QList<uint>{1000, dialout} << false
        << "Ask the administrator to give you access to it (for example by a udev rule).";
    QTest::newRow("own but read-only") << 0460u << 1000u << 1000u << QList<uint>{1000, dialout} << false
                                       << "Run chmod u+rw /dev/ttyUSB0.";
    QTest::newRow("root opens anything") << 0000u << 1000u << 0u << QList<uint>{0} << true << "";
}

void TestPortDescription::accessByOwnerGroupAndMode()
{
    QFETCH(uint, mode);
    QFETCH(uint, ownerUid);
    QFETCH(uint, userUid);
    QFETCH(QList<uint>, userGroups);
    QFETCH(bool, mayOpen);
    QFETCH(QString, remedy);
    const DeviceOwnership owner{ownerUid, 20, mode, QStringLiteral("dialout")};
    const DeviceAccess access = judgeDeviceAccess(QStringLiteral("/dev/ttyUSB0"), owner, {userUid, userGroups}, Language::English);
    QCOMPARE(access.mayOpen, mayOpen);
    QCOMPARE(access.remedy, remedy);
    QCOMPARE(access.reason.isEmpty(), mayOpen);
}

void TestPortDescription::onlyOwnLiveAnnouncementsOfPseudoTerminalsAreListed_data()
{
    QTest::addColumn<QStringList>("names"); // links to the radio's terminal, or "name>target"
    QTest::addColumn<uint>("folderMode");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<QStringList>("remaining");
    QTest::addColumn<bool>("othersLinks"); // the links belong to another user
    const QString self = PortDirectory::announcementName(QCoreApplication::applicationPid());
    const QString parent = PortDirectory::announcementName(getppid());
    const QString ended = PortDirectory::announcementName(INT_MAX);
    QTest::newRow("own running radio") << QStringList{self} << 0700u << true << QStringList{self} << false;
    QTest::newRow("ended process, deleted") << QStringList{ended} << 0700u << false << QStringList() << false;
    QTest::newRow("not a pseudo-terminal") << QStringList{self + QStringLiteral(">/dev/null")} << 0700u << false
                                           << QStringList{self} << false;
    QTest::newRow("no process id") << QStringList{QStringLiteral("kvd9-radio-sim-x")} << 0700u << false
                                   << QStringList{QStringLiteral("kvd9-radio-sim-x")} << false;
    QTest::newRow("one device announced twice") << QStringList{self, parent} << 0700u << true
                                                << QStringList{self, parent} << false;
    QTest::newRow("folder others may enter") << QStringList{self} << 0755u << false << QStringList{self} << false;
    QTest::newRow("folder the group may read") << QStringList{self} << 0750u << false << QStringList{self} << false;
    QTest::newRow("folder the group may write") << QStringList{self} << 0770u << false << QStringList{self} << false;
    QTest::newRow("another user's link") << QStringList{self} << 0700u << false << QStringList{self} << true;
    // kill(0, 0) asks about the caller's own process group, kill(-1, 0)
    // about every process: neither tells of a simulator.
    const QStringList noProcess{PortDirectory::announcementName(0), PortDirectory::announcementName(-1)};
    QTest::newRow("process number 0 or negative, deleted") << noProcess << 0700u << false << QStringList() << false;
}

void TestPortDescription::onlyOwnLiveAnnouncementsOfPseudoTerminalsAreListed()
{
    QFETCH(QStringList, names);
    QFETCH(uint, folderMode);
    QFETCH(bool, listed);
    QFETCH(QStringList, remaining);
    QFETCH(bool, othersLinks);
    QTemporaryDir folder;
    qputenv("KVD9_RADIO_SIM_DIR", QFile::encodeName(folder.path()));
    RadioSimulator radio;
    QVERIFY(radio.start());
    for (const QString &entry : names) {
        const QString name = entry.section(QLatin1Char('>'), 0, 0);
        const QString target = entry.contains(QLatin1Char('>')) ? entry.section(QLatin1Char('>'), 1)
                                                                : radio.devicePath();
        QVERIFY(QFile::link(target, folder.filePath(name)));
        const uid_t nobody = 65534;
        if (othersLinks && lchown(QFile::encodeName(folder.filePath(name)).constData(), nobody, nobody) != 0)
            QSKIP("giving a link to another user needs root");
    }
    QVERIFY(chmod(QFile::encodeName(folder.path()).constData(), folderMode) == 0);

    const QStringList expected = listed ? QStringList{radio.devicePath()} : QStringList();
    QCOMPARE(PortDirectory().announcedRadios(), expected);
    remaining.sort();
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name),
             remaining);
    qunsetenv("KVD9_RADIO_SIM_DIR");
}

void TestPortDescription::lockFileOfAnotherProgramIsNamed_data()
{
    QTest::addColumn<QByteArray>("holder"); // the lock file's first line
    QTest::addColumn<bool>("inUse");
    QTest::newRow("another living process, as Qt writes it") << QByteArray("1\nminicom\nhost\n") << true;
    QTest::newRow("an ended process") << QByteArray::number(INT_MAX) + '\n' << false;
    QTest::newRow("this very process") << QByteArray::number(QCoreApplication::applicationPid()) + '\n' << false;
}

void TestPortDescription::lockFileOfAnotherProgramIsNamed()
{
    QFETCH(QByteArray, holder);
    QFETCH(bool, inUse);
    RadioSimulator radio;
    QVERIFY(radio.start());
    const QString lockPath = QStringLiteral("/var/lock/LCK..") + radio.devicePath().mid(5).replace(u'/', u'_');
    QFile lock(lockPath);
    if (!lock.open(QIODevice::WriteOnly))
        QSKIP("the lock folder is not writable here");
    lock.write(holder);
    lock.close();

    PortDirectory ports;
    SerialPort port;
    port.setPort(PortSpec{0, radio.devicePath()}, &ports);
    const bool opened = port.open(Language::English);
    port.close();
    const QString summary = describeDevice(ports, ports.snapshot(), radio.devicePath(), Language::English).summary(Language::English);
    QFile::remove(lockPath);
    const QString named = QStringLiteral("in use by another program (lock file %1").arg(lockPath);
    QCOMPARE(summary.contains(named), inUse);
    QCOMPARE(opened, !inUse);
    QCOMPARE(port.openError().startsWith(named), inUse);
    QVERIFY(!summary.contains(QStringLiteral("Permission error")));
}

void TestPortDescription::missingDeviceIsToldInTheLanguageAsked_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QString>("reason");
    QTest::newRow("English") << false << "/dev/kvd9-no-such-port does not exist.";
    QTest::newRow("Chinese") << true << "/dev/kvd9-no-such-port 不存在。";
}

void TestPortDescription::missingDeviceIsToldInTheLanguageAsked()
{
    QFETCH(bool, chinese);
    QFETCH(QString, reason);
    PortDirectory ports;
    ports.mapPortNumber(8, QStringLiteral("/dev/kvd9-no-such-port"));
    const PortDescription port = describePort(ports, ports.snapshot(), 8, chinese ? Language::Chinese : Language::English);
    QCOMPARE(port.access.reason, reason);
}

void TestPortDescription::oneLookAtTheSystemPerListing_data()
{
    QTest::addColumn<QString>("listing");
    QTest::newRow("the device of a number") << "number";
    QTest::newRow("every number described") << "describe";
    QTest::newRow("a link opening its port") << "open";
}

// However many numbers a listing covers, it asks the system for its ports
// once, and every description comes from that answer.
void TestPortDescription::oneLookAtTheSystemPerListing()
{
    QFETCH(QString, listing);
    QTemporaryDir folder;
    qputenv("KVD9_RADIO_SIM_DIR", QFile::encodeName(folder.path()));
    PortDirectory ports;
    int looks = 0;
    ports.setPortLister([&looks] {
        ++looks;
        return fakePorts({QStringLiteral("ttyUSB0"), QStringLiteral("ttyACM0")});
    });
    if (listing == QLatin1String("number")) {
        QCOMPARE(ports.deviceFor(2), QStringLiteral("/dev/ttyUSB0"));
    } else if (listing == QLatin1String("describe")) {
        const PortSnapshot snapshot = ports.snapshot();
        QStringList described;
        for (int n = 1; n <= 8; ++n)
            described << describePort(ports, snapshot, n, Language::English).description;
        QCOMPARE(described, (QStringList{"FT232R USB UART", "FT232R USB UART", "", "", "", "", "", ""}));
    } else {
        SerialPort port;
        port.setPort(PortSpec::ofNumber(1), &ports);
        QVERIFY(!port.open(Language::English)); // the listed device does not exist here
    }
    QCOMPARE(looks, 1);
    qunsetenv("KVD9_RADIO_SIM_DIR");
}

void TestPortDescription::numbersRecordIsWrittenOnlyWhenANumberChanges_data()
{
    QTest::addColumn<QStringList>("looks"); // the ports present at each look, by name
    QTest::addColumn<bool>("lastWrites");
    QTest::newRow("the same ports again") << QStringList{"ttyUSB0 ttyS0", "ttyUSB0 ttyS0"} << false;
    QTest::newRow("none since the last went") << QStringList{"ttyUSB0", "", ""} << false;
    QTest::newRow("none ever") << QStringList{"", ""} << false;
    QTest::newRow("one comes") << QStringList{"ttyUSB0", "ttyUSB0 ttyUSB1"} << true;
    QTest::newRow("one goes") << QStringList{"ttyUSB0 ttyUSB1", "ttyUSB0"} << true;
}

void TestPortDescription::numbersRecordIsWrittenOnlyWhenANumberChanges()
{
    QFETCH(QStringList, looks);
    QFETCH(bool, lastWrites);
    QTemporaryDir folder;
    qputenv("KVD9_RADIO_SIM_DIR", QFile::encodeName(folder.path()));
    PortDirectory ports;
    quint64 before = 0;
    for (const QString &present : looks) {
        before = recordFile(folder.path());
        ports.setPortLister([present] { return fakePorts(present.split(QLatin1Char(' '), Qt::SkipEmptyParts)); });
        ports.snapshot();
    }
    QCOMPARE(recordFile(folder.path()) != before, lastWrites);
    qunsetenv("KVD9_RADIO_SIM_DIR");
}

void TestPortDescription::onlyTtysThatCanBeSerialPortsAreAskedAbout_data()
{
    QTest::addColumn<QString>("tty");
    QTest::addColumn<bool>("hasDevice");
    QTest::addColumn<bool>("asked");
    QTest::newRow("a UART") << "ttyS0" << true << true;
    QTest::newRow("a USB adapter") << "ttyUSB0" << true << true;
    QTest::newRow("a virtual console") << "tty12" << false << false;
    QTest::newRow("the console") << "console" << false << false;
    QTest::newRow("Bluetooth") << "rfcomm0" << false << true;
    QTest::newRow("Bluetooth, the last") << "rfcomm255" << false << true;
    QTest::newRow("Bluetooth, past the last") << "rfcomm256" << false << false;
    QTest::newRow("Bluetooth, no number") << "rfcommX" << false << false;
    QTest::newRow("a null modem") << "tnt0" << false << true;
    QTest::newRow("a USB gadget") << "ttyGS0" << false << true;
}

// The quick listing asks about the ttys that can be serial ports only, and
// lists what QSerialPortInfo lists on this machine, field by field.
void TestPortDescription::onlyTtysThatCanBeSerialPortsAreAskedAbout()
{
    QFETCH(QString, tty);
    QFETCH(bool, hasDevice);
    QFETCH(bool, asked);
    QCOMPARE(mayBeSerialPort(tty, hasDevice), asked);
    const auto fields = [](const QString &device, const QString &name, const QString &description,
                           const QString &manufacturer, const QString &serialNumber, int vendorId, int productId) {
        return QStringList{device, name, description, manufacturer, serialNumber, QString::number(vendorId),
                           QString::number(productId)}.join(QLatin1Char('|'));
    };
    QStringList quick;
    for (const SystemPort &p : PortDirectory::systemPorts())
        quick << fields(p.device, p.portName, p.description, p.manufacturer, p.serialNumber, p.vendorId, p.productId);
    QStringList qt;
    for (const QSerialPortInfo &p : QSerialPortInfo::availablePorts())
        qt << fields(p.systemLocation(), p.portName(), p.description(), p.manufacturer(), p.serialNumber(),
                     p.hasVendorIdentifier() ? p.vendorIdentifier() : -1,
                     p.hasProductIdentifier() ? p.productIdentifier() : -1);
    QCOMPARE(quick, qt);
}

QTEST_GUILESS_MAIN(TestPortDescription)
#include "tst_port_description.moc"
