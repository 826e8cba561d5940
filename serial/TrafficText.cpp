#include "serial/TrafficText.h"
#include "serial/LinkProtocol.h"

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
    switch (command) {
    case 'P': return int(WakeUp.size());
    case 'R': return 4;
    case 'W':
    case 'g': return 20;
    default: return 1;
    }
}

QString describeProgramFrame(const QByteArray &frame)
{
    const char command = frame.isEmpty() ? '\0' : frame.at(0);
    const int address = frame.size() >= 3 ? (quint8(frame.at(1)) << 8) | quint8(frame.at(2)) : 0;
    if (frame.size() == programFrameLength(command)) {
        switch (command) {
        case 0x06: return QStringLiteral("ACK");
        case 'E': return QStringLiteral("E: end of write");
        case 'b': return QStringLiteral("b: end of power link");
        case 'R': return QStringLiteral("read %1").arg(trafficAddress(address));
        case 'W':
        case 'g':
            return QStringLiteral("%1 %2: %3")
                .arg(command == 'W' ? QStringLiteral("write") : QStringLiteral("power"), trafficAddress(address),
                     trafficHex(frame.mid(4, 16)));
        case 'P':
            if (frame == WakeUp)
                return QStringLiteral("wake-up PROGRAM 02");
            break;
        default: break;
        }
    }
    return QStringLiteral("stray byte %1").arg(trafficHex(frame.left(1)));
}
