#include "serial/TrafficText.h"
#include "serial/LinkProtocol.h"

using namespace Protocol;

namespace {
const QByteArray WakeUp(LinkWakeUp, sizeof LinkWakeUp);
}

QString trafficHex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ')).toUpper();
}

QString trafficAddress(int address)
{
    return QStringLiteral("%1").arg(address, 4, 16, QLatin1Char('0')).toUpper();
}

int programFrameLength(char command)
{
    switch (quint8(command)) {
    case quint8(LinkWakeUp[0]): return int(WakeUp.size());
    case ReadCommand: return ReadRequestLength;
    case WriteCommand:
    case PowerCommand: return BlockFrameLength;
    default: return 1;
    }
}

QString describeProgramFrame(const QByteArray &frame)
{
    const char command = frame.isEmpty() ? '\0' : frame.at(0);
    const int address = frame.size() >= 3 ? (quint8(frame.at(1)) << 8) | quint8(frame.at(2)) : 0;
    if (frame.size() == programFrameLength(command)) {
        switch (quint8(command)) {
        case Ack: return QStringLiteral("ACK");
        case EndOfWrite: return QStringLiteral("E: end of write");
        case EndOfPowerLink: return QStringLiteral("b: end of power link");
        case ReadCommand: return QStringLiteral("read %1").arg(trafficAddress(address));
        case WriteCommand:
        case PowerCommand:
            return QStringLiteral("%1 %2: %3")
                .arg(quint8(command) == WriteCommand ? QStringLiteral("write") : QStringLiteral("power"),
                     trafficAddress(address), trafficHex(frame.mid(FrameHeaderLength)));
        case quint8(LinkWakeUp[0]):
            if (frame == WakeUp)
                return QStringLiteral("wake-up PROGRAM 02");
            break;
        default: break;
        }
    }
    return QStringLiteral("stray byte %1").arg(trafficHex(frame.left(1)));
}
