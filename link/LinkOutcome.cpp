#include "link/LinkOutcome.h"

#include "core/Texts.h"
#include "platform/WindowLanguage.h"
#include "serial/PortDirectory.h"

#include <QFile>
#include <QFileInfo>
#include <QTime>

namespace {

// "COM2 (/dev/ttyUSB0)", or "COM2" when no device stands behind it.
QString portAndDevice(const NamedPort &port)
{
    const QString name = port.spec.name();
    return port.device.isEmpty() || port.device == name ? name : QStringLiteral("%1 (%2)").arg(name, port.device);
}

QString failedPrefix(LinkKind kind)
{
    switch (kind) {
    case LinkKind::Read:
        return langText("读取失败：", "Read failed: ");
    case LinkKind::Write:
        return langText("写入失败：", "Write failed: ");
    case LinkKind::Power:
        break;
    }
    return langText("功率调整失败：", "Power adjustment failed: ");
}

// The name of the program holding the port's lock, where the system says.
QString otherProgram(const QString &device)
{
    qint64 pid = 0;
    if (device.isEmpty() || PortDirectory::lockFileOfOtherProgram(device, &pid).isEmpty())
        return QString();
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    const QString name = comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll()).trimmed() : QString();
    return name.isEmpty() ? langText("进程 %1", "process %1").arg(pid) : QStringLiteral("%1, %2").arg(name).arg(pid);
}

// The one thing to do about a port that would not open.
QString remedyFor(PortProblem problem, const QString &device)
{
    switch (problem) {
    case PortProblem::NoDevice:
        return langText("请在“端口设置”中选择编程线所用的端口。",
                        "Choose the port the cable uses under \"Communication\".");
    case PortProblem::DeviceGone:
        return langText("请重新插好编程线，然后再试一次。", "Plug the cable back in, then try again.");
    case PortProblem::InUse: {
        const QString other = otherProgram(device);
        return other.isEmpty() ? langText("请关闭正在使用该端口的另一个程序。",
                                          "Close the other program that has the port open.")
                               : langText("请关闭正在使用该端口的另一个程序（%1）。",
                                          "Close the other program that has the port open (%1).")
                                     .arg(other);
    }
    case PortProblem::NoPermission:
        return langText("请将您的用户加入 dialout 组，然后重新登录。",
                        "Add your user to the dialout group, then log in again.");
    case PortProblem::Other:
        break;
    }
    return langText("请检查编程线和端口号。", "Check the cable and the port number.");
}

QString causeOf(PortProblem problem, const QString &systemReason)
{
    switch (problem) {
    case PortProblem::NoDevice:
        return langText("没有对应的串口", "no serial port stands behind it");
    case PortProblem::DeviceGone:
        return langText("设备已消失", "the device disappeared");
    case PortProblem::InUse:
        return langText("端口被另一个程序占用", "the port is in use by another program");
    case PortProblem::NoPermission:
        return langText("没有打开该设备的权限", "no permission to open the device");
    case PortProblem::Other:
        break;
    }
    return systemReason;
}

} // namespace

QString linkCompletedText(LinkKind kind, const PortSpec &port)
{
    const QString time = QTime::currentTime().toString(QStringLiteral("hh:mm"));
    if (kind == LinkKind::Read)
        return langText("已从 %1 读取，%2", "Read from %1, %2").arg(port.name(), time);
    return langText("已写入 %1 并完成，%2", "Written to %1 and done, %2").arg(port.name(), time);
}

QString linkFailureReason(LinkFailure why)
{
    switch (why) {
    case LinkFailure::NoAnswer:
        return langText("对讲机没有应答", "the radio does not answer");
    case LinkFailure::LostReply:
        return langText("对讲机中途停止应答", "the radio stopped answering");
    case LinkFailure::DeviceLost:
        break;
    }
    return langText("端口的设备已消失", "the port's device disappeared");
}

QString linkFailedText(LinkKind kind, LinkFailure why)
{
    return failedPrefix(kind) + linkFailureReason(why);
}

QString portFailedText(LinkKind kind, const PortSpec &port)
{
    return failedPrefix(kind) + langText("无法打开 %1", "%1 cannot be opened").arg(port.name());
}

QString halfWrittenText(int rows)
{
    return langText("写入在第 %1 行（共 %2 行）之后中断：对讲机的存储器现在一部分是新数据，一部分是旧数据。"
                    "使用对讲机之前请重新写入。",
                    "The write stopped after row %1 of %2: the radio's memory is now part new, part old. "
                    "Write it again before the radio is used.")
        .arg(rows)
        .arg(Protocol::WriteRows);
}

QString finalStateText(LinkKind kind, int rowsWritten)
{
    if (kind == LinkKind::Read)
        return langText("读取失败", "Read failed");
    if (rowsWritten > 0)
        return langText("写入失败：对讲机只写入了一部分", "Write failed: the radio is half-written");
    return langText("写入失败：对讲机未被改动", "Write failed: the radio was not changed");
}

QString noRadioAnswerText(const PortSpec &port)
{
    return langText("%1 上没有对讲机应答", "No answer from a radio on %1").arg(port.name());
}

PortProblem diagnosePort(const QString &device, const OpenFailure &failure)
{
    if (device.isEmpty())
        return PortProblem::NoDevice;
    if (!QFileInfo::exists(device))
        return PortProblem::DeviceGone;
    if (PortDirectory::isInUse(device, failure))
        return PortProblem::InUse;
    const QFileInfo info(device);
    if (!info.isReadable() || !info.isWritable())
        return PortProblem::NoPermission;
    return PortProblem::Other;
}

QString portFailureSummary(const NamedPort &port, PortProblem problem, const QString &systemReason)
{
    return QStringLiteral("%1: %2. %3")
        .arg(portAndDevice(port), causeOf(problem, systemReason), remedyFor(problem, port.device));
}

QString linkFailureSummary(const NamedPort &port, LinkFailure why)
{
    const QString todo = why == LinkFailure::DeviceLost
        ? remedyFor(PortProblem::DeviceGone, QString())
        : langText("请检查对讲机已开机、编程线两端都已插好，然后再试一次。",
                   "Check that the radio is on and the cable is plugged in at both ends, then try again.");
    return QStringLiteral("%1: %2. %3").arg(portAndDevice(port), linkFailureReason(why), todo);
}

QString linkFailureDetails(const NamedPort &port, const QString &systemReason, bool withChecklist)
{
    QStringList lines;
    lines << langText("端口：%1", "Port: %1").arg(port.spec.name());
    lines << langText("设备：%1", "Device: %1")
                 .arg(port.device.isEmpty() ? langText("（没有对应的串口）", "(no serial port stands behind it)")
                                            : port.device);
    if (!systemReason.isEmpty())
        lines << langText("原因：%1", "Reason: %1").arg(systemReason);
    if (!withChecklist)
        return lines.join(QLatin1Char('\n'));
    lines << QString() << langText("请检查：", "Please check:")
          << langText("- 对讲机已开机；", "- the radio is switched on;")
          << langText("- 编程线两端都已插好；", "- the cable is plugged in at both ends;")
          << langText("- “端口设置”中选择的端口号就是编程线所用的端口；",
                      "- the port number chosen under \"Communication\" is the one the cable uses;")
          << langText("- 没有其他程序正在使用该端口；", "- no other program has the port open;")
          << langText("- 您的用户属于 dialout 组（Linux）。", "- your user is in the dialout group (Linux).");
    return lines.join(QLatin1Char('\n'));
}
