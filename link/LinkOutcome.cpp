#include "link/LinkOutcome.h"

#include "core/ModuleState.h"
#include "core/Texts.h"
#include "serial/SerialPort.h"

#include <QTime>

namespace {

QString portName()
{
    return QStringLiteral("COM%1").arg(CommPortNo);
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

} // namespace

QString linkCompletedText(LinkKind kind)
{
    const QString time = QTime::currentTime().toString(QStringLiteral("hh:mm"));
    if (kind == LinkKind::Read)
        return langText("已从 %1 读取，%2", "Read from %1, %2").arg(portName(), time);
    return langText("已写入 %1 并完成，%2", "Written to %1 and done, %2").arg(portName(), time);
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
    return langText("端口的设备已消失", "the port's device went away");
}

QString linkFailedText(LinkKind kind, LinkFailure why)
{
    return failedPrefix(kind) + linkFailureReason(why);
}

QString portFailedText(LinkKind kind)
{
    return failedPrefix(kind) + langText("无法打开 %1", "%1 cannot be opened").arg(portName());
}

QString linkFailureDetails(const QString &systemReason)
{
    const QString device = SerialPort::deviceFor(CommPortNo);
    QStringList lines;
    lines << langText("端口：%1", "Port: %1").arg(portName());
    lines << langText("设备：%1", "Device: %1")
                 .arg(device.isEmpty() ? langText("（没有对应的串口）", "(no serial port stands behind it)") : device);
    if (!systemReason.isEmpty())
        lines << langText("原因：%1", "Reason: %1").arg(systemReason);
    lines << QString() << langText("请检查：", "Please check:")
          << langText("- 对讲机已开机；", "- the radio is switched on;")
          << langText("- 编程线两端都已插好；", "- the cable is plugged in at both ends;")
          << langText("- “端口设置”中选择的端口号就是编程线所用的端口；",
                      "- the port number chosen under \"Communication\" is the one the cable uses;")
          << langText("- 您的用户属于 dialout 组（Linux）。", "- your user is in the dialout group (Linux).");
    return lines.join(QLatin1Char('\n'));
}
