#include "serial/PortDirectory.h"

#include "core/Texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>
#include <QSerialPort>
#include <QSerialPortInfo>
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

bool isUsbAdapter(const QSerialPortInfo &info)
{
    return info.hasVendorIdentifier() || info.portName().contains(QLatin1String("USB"))
        || info.portName().contains(QLatin1String("ACM"));
}

} // namespace

QString PortDirectory::deviceFor(int portNumber) const
{
    const auto mapped = m_mapped.constFind(portNumber);
    if (mapped != m_mapped.constEnd())
        return *mapped;
#ifdef Q_OS_WIN
    return PortSpec::ofNumber(portNumber).name();
#else
    const QStringList numbered = numberedDevices();
    if (portNumber < 1 || portNumber > numbered.size())
        return QString();
    return numbered.at(portNumber - 1);
#endif
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

QStringList PortDirectory::presentDevices() const
{
    QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    std::stable_sort(ports.begin(), ports.end(),
                     [](const QSerialPortInfo &a, const QSerialPortInfo &b) {
                         if (isUsbAdapter(a) != isUsbAdapter(b))
                             return isUsbAdapter(a);
                         return a.portName() < b.portName();
                     });
    QStringList devices;
    for (const QSerialPortInfo &port : ports)
        devices << port.systemLocation();
    // Simulated radios come after the real ports; the system does not list
    // pseudo-terminals.
    for (const QString &device : announcedRadios())
        if (!devices.contains(device))
            devices << device;
    return devices;
}

QStringList PortDirectory::numberedDevices() const
{
    const QStringList present = presentDevices();
    const QString folder = announcementFolder();
    ::mkdir(QFile::encodeName(folder).constData(), 0700);
    if (!isPrivateFolder(folder))
        return present;
    // The record is shared by every program of the user, so that the
    // windows and the companion give a device the same number.
    QLockFile lock(QDir(folder).filePath(QStringLiteral("port-numbers.lock")));
    if (!lock.tryLock(2000))
        return present;
    const QString recordPath = QDir(folder).filePath(QStringLiteral("port-numbers"));
    QStringList numbered;
    QFile record(recordPath);
    if (record.open(QIODevice::ReadOnly)) {
        // One device a line; line n is port number n, an empty line a free number.
        numbered = QString::fromUtf8(record.readAll()).split(QLatin1Char('\n'));
        record.close();
    }
    const QStringList before = numbered;
    for (QString &device : numbered)
        if (!present.contains(device))
            device.clear();
    for (const QString &device : present) {
        if (numbered.contains(device))
            continue;
        const int free = int(numbered.indexOf(QString()));
        if (free >= 0)
            numbered[free] = device;
        else
            numbered << device;
    }
    while (!numbered.isEmpty() && numbered.last().isEmpty())
        numbered.removeLast();
    if (numbered != before) {
        QSaveFile out(recordPath);
        if (out.open(QIODevice::WriteOnly)) {
            out.write(numbered.join(QLatin1Char('\n')).toUtf8());
            out.commit();
        }
    }
    return numbered;
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

qint64 PortDirectory::simulatedRadioProcess(const QString &device) const
{
    for (const auto &announcement : announcements())
        if (announcement.first == device)
            return announcement.second;
    return 0;
}

QList<QPair<QString, qint64>> PortDirectory::announcements() const
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
