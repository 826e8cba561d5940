#include "serial/PortDescription.h"

#include "serial/PortDirectory.h"
#include "core/Texts.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uint ReadWrite = 06;

// The read and write bits that apply to `user`: the owner's when the user
// owns the device, else the group's when the user is in its group, else
// everyone else's.
uint bitsFor(const DeviceOwnership &owner, const UserIdentity &user)
{
    if (owner.uid == user.uid)
        return (owner.mode >> 6) & ReadWrite;
    if (user.groups.contains(owner.gid))
        return (owner.mode >> 3) & ReadWrite;
    return owner.mode & ReadWrite;
}

QString hexId(int id)
{
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0'));
}

} // namespace

DeviceAccess judgeDeviceAccess(const QString &device, const DeviceOwnership &owner, const UserIdentity &user,
                               Language language)
{
    DeviceAccess access;
    if (user.uid == 0 || bitsFor(owner, user) == ReadWrite) {
        access.mayOpen = true;
        return access;
    }
    if (owner.uid == user.uid) {
        access.reason = langText(language, "%1 属于您，但不允许您读写。", "%1 is yours, but not readable and writable.")
                            .arg(device);
        access.remedy = langText(language, "请执行 chmod u+rw %1。", "Run chmod u+rw %1.").arg(device);
    } else if (((owner.mode >> 3) & ReadWrite) == ReadWrite && !user.groups.contains(owner.gid)) {
        access.reason = langText(language, "只有组“%2”的成员可以读写 %1，而本次登录的您不在该组中。",
                                 "Only members of the group \"%2\" may read and write %1, and this login "
                                 "of yours is not in that group.")
                            .arg(device, owner.groupName);
        access.remedy = langText(language, "请加入组“%1”（例如 sudo usermod -aG %1 $USER），然后重新登录。",
                                 "Join the group \"%1\" (for example: sudo usermod -aG %1 $USER) and log "
                                 "in again.")
                            .arg(owner.groupName);
    } else {
        access.reason = langText(language, "%1 只允许其所有者读写。", "%1 may be read and written by its owner only.")
                            .arg(device);
        access.remedy = langText(language, "请系统管理员授予您访问权限（例如通过 udev 规则）。",
                                 "Ask the administrator to give you access to it (for example by a udev "
                                 "rule).");
    }
    return access;
}

UserIdentity currentUser()
{
    UserIdentity user;
    user.uid = geteuid();
    user.groups << getegid();
    const int count = getgroups(0, nullptr);
    if (count > 0) {
        QList<gid_t> groups(count);
        const int got = getgroups(count, groups.data());
        for (int i = 0; i < got; ++i)
            user.groups << groups.at(i);
    }
    return user;
}

PortDescription describeDevice(PortDirectory &directory, const PortSnapshot &snapshot, const QString &device,
                               Language language)
{
    PortDescription port;
    port.device = device;
    if (const SystemPort *listed = snapshot.systemPort(device)) {
        port.description = listed->description;
        port.manufacturer = listed->manufacturer;
        port.serialNumber = listed->serialNumber;
        port.vendorId = listed->vendorId;
        port.productId = listed->productId;
        port.builtIn = listed->vendorId < 0
            && (listed->portName.startsWith(QLatin1String("ttyS")) || listed->portName.startsWith(QLatin1String("ttyAMA")));
    }
    port.lastOpenFailure = directory.lastOpenFailure(device, language);
    port.simulatorProcess = snapshot.simulatorProcess(device);

    const QByteArray path = QFile::encodeName(device);
    struct stat status {};
    if (::stat(path.constData(), &status) != 0) {
        port.access.reason = langText(language, "%1 不存在。", "%1 does not exist.").arg(device);
        port.access.remedy = langText(language, "请插好连接线，或选择另一个端口。",
                                      "Plug the cable in, or choose another port.");
        return port;
    }
    port.exists = true;
    qint64 holder = 0;
    const QString lock = PortDirectory::lockFileOfOtherProgram(device, &holder);
    if (!lock.isEmpty()) {
        port.access.reason = langText(language, "它被另一个程序占用（锁文件 %1，进程 %2）。",
                                      "It is in use by another program (lock file %1, process %2).")
                                 .arg(lock)
                                 .arg(holder);
        port.access.remedy = langText(language, "请关闭那个程序，或选择另一个端口。",
                                      "Close that program, or choose another port.");
        return port;
    }
    // The system's own check also knows access lists; the permission bits
    // tell the reason when it refuses.
    if (faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) == 0) {
        port.access.mayOpen = true;
        return port;
    }
    const int refusal = errno;
    DeviceOwnership owner{status.st_uid, status.st_gid, uint(status.st_mode & 07777), QString()};
    const struct group *group = getgrgid(status.st_gid);
    owner.groupName = group ? QString::fromLocal8Bit(group->gr_name) : QString::number(status.st_gid);
    port.access = judgeDeviceAccess(device, owner, currentUser(), language);
    if (port.access.mayOpen) {
        port.access.mayOpen = false;
        port.access.reason = langText(language, "系统拒绝访问 %1：%2", "The system refuses access to %1: %2")
                                 .arg(device, systemErrorText(refusal, language));
        port.access.remedy = langText(language, "请系统管理员授予您访问权限。", "Ask the administrator to give you access to it.");
    }
    return port;
}

PortDescription describePort(PortDirectory &directory, const PortSnapshot &snapshot, int portNumber,
                             Language language)
{
    const QString device = snapshot.deviceFor(portNumber);
    PortDescription port =
        device.isEmpty() ? PortDescription() : describeDevice(directory, snapshot, device, language);
    port.portNumber = portNumber;
    return port;
}

QString PortDescription::summary(Language language) const
{
    const QString name = portNumber > 0 ? PortSpec::ofNumber(portNumber).name() : device;
    if (device.isEmpty())
        return langText(language, "%1 没有对应的串口。请插好编程线、启动模拟对讲机，或选择另一个端口号。",
                        "No serial port stands behind %1. Plug the cable in, start the simulated radio, or "
                        "pick another number.")
            .arg(name);
    QStringList facts;
    if (simulatorProcess > 0)
        facts << langText(language, "模拟对讲机，进程 %1", "simulated radio, process %1").arg(simulatorProcess);
    if (builtIn)
        facts << langText(language, "内置串口（无 USB 转接器）", "built-in serial port (no USB adapter)");
    if (!description.isEmpty())
        facts << description;
    if (!manufacturer.isEmpty())
        facts << manufacturer;
    if (vendorId >= 0 && productId >= 0)
        facts << QStringLiteral("USB %1:%2").arg(hexId(vendorId), hexId(productId));
    if (!serialNumber.isEmpty())
        facts << langText(language, "序列号 %1", "serial number %1").arg(serialNumber);
    QString text = portNumber > 0 ? QStringLiteral("%1: %2").arg(name, device) : device;
    if (!facts.isEmpty())
        text += QStringLiteral(" (") + facts.join(QStringLiteral(", ")) + QLatin1Char(')');
    text += QLatin1Char('\n');
    if (access.mayOpen)
        text += langText(language, "您可以打开它。", "You may open it.");
    else
        text += langText(language, "您无法打开它：", "You may not open it: ") + access.reason
            + langText(language, "", " ") + access.remedy;
    if (!lastOpenFailure.isEmpty())
        text += QLatin1Char('\n')
            + langText(language, "上次打开失败：%1", "The last attempt to open it failed: %1").arg(lastOpenFailure);
    return text;
}
