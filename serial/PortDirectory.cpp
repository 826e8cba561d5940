#include "serial/PortDirectory.h"

#include "core/Texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>
#include <QSerialPort>
#include <algorithm>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QLatin1String AnnouncementPrefix("kvd9-radio-sim-");

// A folder that belongs to this user and that no one else may enter, so
// that no one else can place an announcement in it.
bool isPrivateFolder(const QString &path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISDIR(status.st_mode)
        && status.st_uid == geteuid() && (status.st_mode & 077) == 0;
}

bool isOwnLink(const QByteArray &path)
{
    struct stat status {};
    return ::lstat(path.constData(), &status) == 0 && S_ISLNK(status.st_mode) && status.st_uid == geteuid();
}

bool isRunning(qint64 pid)
{
    return pid > 0 && pid <= INT_MAX && ::kill(pid_t(pid), 0) == 0;
}

// The pseudo-terminal of this user that `link` points to; empty when it
// points to anything else.
QString ownPseudoTerminal(const QByteArray &link)
{
    char resolved[PATH_MAX];
    struct stat status {};
    if (!::realpath(link.constData(), resolved) || ::stat(resolved, &status) != 0)
        return QString();
    const QString device = QFile::decodeName(resolved);
    if (!S_ISCHR(status.st_mode) || status.st_uid != geteuid()
        || !device.startsWith(QLatin1String("/dev/pts/")))
        return QString();
    return device;
}

// The record of numbers: one device a line, line n for port number n, an
// empty line for a free number.
QStringList readNumberRecord(const QString &path)
{
    QFile record(path);
    if (!record.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(record.readAll());
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

// The numbers after a look at the present devices: a device keeps the number
// `held` gives it, a gone device's number is free again, and a new device
// takes the lowest free number.
QStringList giveNumbers(QStringList held, const QStringList &present)
{
    for (QString &device : held)
        if (!present.contains(device))
            device.clear();
    for (const QString &device : present) {
        if (held.contains(device))
            continue;
        const int free = int(held.indexOf(QString()));
        if (free >= 0)
            held[free] = device;
        else
            held << device;
    }
    while (!held.isEmpty() && held.last().isEmpty())
        held.removeLast();
    return held;
}

// The serial ports and the simulated radios of `snapshot`, in the order in
// which new ones take numbers: USB adapters, the other ports, then the
// simulated radios.
QStringList presentDevices(const PortSnapshot &snapshot)
{
    QList<SystemPort> ports = snapshot.system;
    std::stable_sort(ports.begin(), ports.end(), [](const SystemPort &a, const SystemPort &b) {
        if (a.isUsbAdapter() != b.isUsbAdapter())
            return a.isUsbAdapter();
        return a.portName < b.portName;
    });
    QStringList devices;
    for (const SystemPort &port : ports)
        devices << port.device;
    // The system does not list pseudo-terminals.
    for (const auto &radio : snapshot.radios)
        if (!devices.contains(radio.first))
            devices << radio.first;
    return devices;
}

// The present devices by number. The record is shared by every program of
// the user, so that the windows and the companion give a device the same
// number; it is written only when a number is given out or given back.
QStringList numberedDevices(const QStringList &present)
{
    const QString folder = PortDirectory::announcementFolder();
    ::mkdir(QFile::encodeName(folder).constData(), 0700);
    if (!isPrivateFolder(folder))
        return present;
    const QString recordPath = QDir(folder).filePath(QStringLiteral("port-numbers"));
    // Most looks change no number and need neither the lock nor a write.
    const QStringList seen = readNumberRecord(recordPath);
    if (giveNumbers(seen, present) == seen)
        return seen;
    QLockFile lock(QDir(folder).filePath(QStringLiteral("port-numbers.lock")));
    if (!lock.tryLock(2000))
        return present;
    // Another program may have given numbers since the record was read.
    const QStringList held = readNumberRecord(recordPath);
    const QStringList numbered = giveNumbers(held, present);
    if (numbered != held) {
        QSaveFile out(recordPath);
        if (out.open(QIODevice::WriteOnly)) {
            out.write(numbered.join(QLatin1Char('\n')).toUtf8());
            out.commit();
        }
    }
    return numbered;
}

} // namespace

bool SystemPort::isUsbAdapter() const
{
    return vendorId >= 0 || portName.contains(QLatin1String("USB")) || portName.contains(QLatin1String("ACM"));
}

QString PortSnapshot::deviceFor(int portNumber) const
{
    return portNumber >= 1 && portNumber <= numbered.size() ? numbered.at(portNumber - 1) : QString();
}

const SystemPort *PortSnapshot::systemPort(const QString &device) const
{
    for (const SystemPort &port : system)
        if (port.device == device)
            return &port;
    return nullptr;
}

qint64 PortSnapshot::simulatorProcess(const QString &device) const
{
    for (const auto &radio : radios)
        if (radio.first == device)
            return radio.second;
    return 0;
}

std::function<PortSnapshot()> PortDirectory::snapshotTask() const
{
    return [lister = m_lister, mapped = m_mapped] { return takeSnapshot(lister, mapped); };
}

PortSnapshot PortDirectory::takeSnapshot(const PortLister &lister, const QMap<int, QString> &mapped)
{
    PortSnapshot snapshot;
    snapshot.system = lister();
    snapshot.radios = announcements();
#ifdef Q_OS_WIN
    for (int n = 1; n <= 8; ++n)
        snapshot.numbered << PortSpec::ofNumber(n).name();
#else
    snapshot.numbered = numberedDevices(presentDevices(snapshot));
#endif
    for (auto number = mapped.constBegin(); number != mapped.constEnd(); ++number) {
        while (snapshot.numbered.size() < number.key())
            snapshot.numbered << QString();
        snapshot.numbered[number.key() - 1] = number.value();
    }
    return snapshot;
}

QStringList PortDirectory::presenceStamp() const
{
    QStringList stamp = QDir(QStringLiteral("/dev")).entryList(
        QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const auto &radio : announcements())
        stamp << QStringLiteral("%1 %2").arg(radio.first).arg(radio.second);
    for (auto mapped = m_mapped.constBegin(); mapped != m_mapped.constEnd(); ++mapped)
        stamp << QStringLiteral("%1=%2").arg(mapped.key()).arg(mapped.value());
    return stamp;
}

QString PortDirectory::deviceFor(int portNumber) const
{
    const auto mapped = m_mapped.constFind(portNumber);
    if (mapped != m_mapped.constEnd())
        return *mapped;
    return snapshot().deviceFor(portNumber);
}

QString PortDirectory::deviceFor(const PortSpec &port) const
{
    return port.device.isEmpty() ? deviceFor(port.number) : port.device;
}

void PortDirectory::recordOpenFailure(const QString &device, const OpenFailure &failure)
{
    m_failures.insert(device, failure);
}

void PortDirectory::forgetOpenFailure(const QString &device)
{
    m_failures.remove(device);
}

QString PortDirectory::announcementFolder()
{
    const QString chosen = qEnvironmentVariable("KVD9_RADIO_SIM_DIR");
    if (!chosen.isEmpty())
        return chosen;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isPrivateFolder(runtime))
        return QDir(runtime).filePath(QStringLiteral("kvd9-radios"));
    return QDir::temp().filePath(QStringLiteral("kvd9-radios-%1").arg(geteuid()));
}

QString PortDirectory::announcementName(qint64 pid)
{
    return AnnouncementPrefix + QString::number(pid);
}

QString PortDirectory::announceSimulatedRadio(const QString &device, QString *error)
{
    const QString folder = announcementFolder();
    const QByteArray folderName = QFile::encodeName(folder);
    if (::mkdir(folderName.constData(), 0700) != 0 && errno != EEXIST) {
        *error = QStringLiteral("%1: %2").arg(folder, qt_error_string(errno));
        return QString();
    }
    if (!isPrivateFolder(folder)) {
        *error = QStringLiteral("%1 is not a folder of this user's alone (mode 0700)").arg(folder);
        return QString();
    }
    const QString link = QDir(folder).filePath(announcementName(QCoreApplication::applicationPid()));
    const QByteArray linkName = QFile::encodeName(link);
    ::unlink(linkName.constData());
    if (::symlink(QFile::encodeName(device).constData(), linkName.constData()) != 0) {
        *error = QStringLiteral("%1: %2").arg(link, qt_error_string(errno));
        return QString();
    }
    return link;
}

QStringList PortDirectory::announcedRadios() const
{
    QStringList devices;
    for (const auto &announcement : announcements())
        if (!devices.contains(announcement.first))
            devices << announcement.first;
    return devices;
}

QList<QPair<QString, qint64>> PortDirectory::announcements()
{
    QList<QPair<QString, qint64>> found;
    const QString folder = announcementFolder();
    if (!isPrivateFolder(folder))
        return found;
    const QDir dir(folder);
    const QStringList names = dir.entryList({AnnouncementPrefix + QLatin1Char('*')},
                                            QDir::AllEntries | QDir::System | QDir::Hidden, QDir::Name);
    for (const QString &name : names) {
        bool isNumber = false;
        const qint64 pid = name.mid(AnnouncementPrefix.size()).toLongLong(&isNumber);
        const QByteArray link = QFile::encodeName(dir.filePath(name));
        if (!isNumber || !isOwnLink(link))
            continue;
        if (!isRunning(pid)) {
            ::unlink(link.constData());
            continue;
        }
        const QString device = ownPseudoTerminal(link);
        if (!device.isEmpty())
            found << qMakePair(device, pid);
    }
    return found;
}

QString PortDirectory::lastOpenFailure(const QString &device, Language language)
{
    const auto failure = m_failures.constFind(device);
    if (failure == m_failures.constEnd())
        return QString();
    // A permission refused once is stale when the device may be opened now,
    // whoever opened it since: the line would send the user after a cause
    // that has gone.
    if (failure->error == QSerialPort::PermissionError && !isInUse(device, *failure)
        && ::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0) {
        m_failures.erase(failure);
        return QString();
    }
    return describeOpenFailure(device, *failure, language);
}

QString PortDirectory::lockFileOfOtherProgram(const QString &device, qint64 *pid)
{
    // Qt names the lock after the device below /dev, with "/" as "_", in
    // the first of these folders that it may write to.
    QString name = device;
    if (name.startsWith(QLatin1String("/dev/")))
        name.remove(0, 5);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    const char *const folders[] = {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
                                   "/tmp", "/var/tmp", "/run/lock"};
    for (const char *folder : folders) {
        const QString path = QLatin1String(folder) + QLatin1String("/LCK..") + name;
        QFile lock(path);
        if (!lock.open(QIODevice::ReadOnly))
            continue;
        // The first line holds the process number, padded or not.
        bool isNumber = false;
        const qint64 holder = lock.readLine(64).trimmed().toLongLong(&isNumber);
        const bool alive = isNumber && holder > 0 && holder <= INT_MAX
            && (::kill(pid_t(holder), 0) == 0 || errno == EPERM);
        if (alive && holder != QCoreApplication::applicationPid()) {
            if (pid)
                *pid = holder;
            return path;
        }
    }
    return QString();
}

void PortDirectory::mapPortNumber(int portNumber, const QString &device)
{
    if (device.isEmpty())
        m_mapped.remove(portNumber);
    else
        m_mapped.insert(portNumber, device);
}

OpenFailure PortDirectory::openFailure(const QString &device) const
{
    return m_failures.value(device);
}

bool PortDirectory::isInUse(const QString &device, const OpenFailure &failure)
{
    return !lockFileOfOtherProgram(device).isEmpty()
        || failure.systemText.contains(QLatin1String("busy"), Qt::CaseInsensitive);
}

// Qt reports a port in use (another program's lock file, or a device opened
// exclusively) as a permission error, which would send the user after
// permissions rather than after the other program.
QString PortDirectory::describeOpenFailure(const QString &device, const OpenFailure &failure, Language language)
{
    const QString lock = lockFileOfOtherProgram(device);
    if (!lock.isEmpty())
        return langText(language, "被另一个程序占用（锁文件 %1）", "in use by another program (lock file %1)").arg(lock);
    if (isInUse(device, failure))
        return langText(language, "被另一个程序占用（%1）", "in use by another program (%1)").arg(failure.systemText);
    // In English the system's own words.
    switch (failure.error) {
    case QSerialPort::PermissionError:
        return langText(language, QStringLiteral("没有打开该设备的权限"), failure.systemText);
    case QSerialPort::DeviceNotFoundError:
        return langText(language, QStringLiteral("设备不存在"), failure.systemText);
    default:
        return langText(language, QStringLiteral("打开设备失败：") + failure.systemText, failure.systemText);
    }
}
