#include "sim/RadioSimulator.h"

#include "serial/TrafficText.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace {

constexpr qint64 ByteNs = 1000000000LL / 960; // one byte at 9600 baud
constexpr qint64 SplitPauseNs = 3000000;
const QByteArray WakeUp("PROGRAM\x02", 8);
constexpr int PowerAddress = 0x0FF0;

} // namespace

RadioSimulator::RadioSimulator(QObject *parent)
    : QObject(parent), memory(sampleMemory()), m_sendTimer(new QTimer(this))
{
    m_sendTimer->setSingleShot(true);
    m_sendTimer->setTimerType(Qt::PreciseTimer);
    connect(m_sendTimer, &QTimer::timeout, this, &RadioSimulator::sendDue);
    m_clock.start();
}

RadioSimulator::~RadioSimulator()
{
    hangUp();
}

QByteArray RadioSimulator::sampleMemory()
{
    QByteArray m(4096, char(0xFF));
    const auto row = [&m](int r, std::initializer_list<int> bytes) {
        int a = r * 16;
        for (int b : bytes)
            m[a++] = char(b);
    };
    // Channels 1..3: 438.12500, 439.00000 and 440.50000 MHz, simplex,
    // high power, wide, no tones, no name.
    row(1, {0x00, 0x25, 0x81, 0x43, 0, 0, 0, 0, 0, 0, 3});
    row(2, {0x00, 0x00, 0x90, 0x43, 0, 0, 0, 0, 0, 0, 3});
    row(3, {0x00, 0x00, 0x05, 0x44, 0, 0, 0, 0, 0, 0, 3});
    row(130, {0x00, 0x25, 0x00, 0x40, 0x00, 0x00, 0x00, 0x01, 0, 0, 3});
    row(220, {0x76, 0x95});
    row(250, {0x00, 0x40, 0x00, 0x47});
    row(251, {'L', 'I', 'S', 'T', 'E', 'N', 'I', 'G'});
    row(252, {0x76, 0x95, 5, 0, 0, 0xC8, 0x40, 1, 0, 0, 0, 0, 0});
    row(254, {255, 255, 255, 255, 255, 255, 255, 255, 0, 0, 0});
    row(255, {80, 200, 0});
    return m;
}

bool RadioSimulator::start(QString *error)
{
    char name[128] = {};
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        if (error)
            *error = QString::fromLocal8Bit(strerror(errno));
        return false;
    }
    termios raw {};
    tcgetattr(m_slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(m_slave, TCSANOW, &raw);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_devicePath = QString::fromLocal8Bit(name);
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &RadioSimulator::onReadable);
    return true;
}

void RadioSimulator::hangUp()
{
    if (m_master < 0)
        return;
    // This may run inside the notifier's own signal.
    m_notifier->setEnabled(false);
    m_notifier->deleteLater();
    m_notifier = nullptr;
    m_sendTimer->stop();
    m_out.clear();
    ::close(m_master);
    ::close(m_slave);
    m_master = m_slave = -1;
    log(QStringLiteral("cable pulled"));
}

void RadioSimulator::onReadable()
{
    char buffer[4096];
    const ssize_t n = ::read(m_master, buffer, sizeof buffer);
    if (n <= 0)
        return;
    const qint64 now = nowNs();
    for (ssize_t i = 0; i < n; ++i) {
        // Paced, a byte ends on the line one byte time after the previous one.
        m_lastRxNs = m_paced ? qMax(now, m_lastRxNs) + ByteNs : now;
        m_pending.append(buffer[i]);
        m_pendingTimes.append(m_lastRxNs);
    }
    m_received.append(buffer, int(n));
    parse();
}

void RadioSimulator::parse()
{
    while (!m_pending.isEmpty() && m_master >= 0) {
        const char command = m_pending.at(0);
        int length = programFrameLength(command);
        if (m_pending.size() < length)
            return;
        const QByteArray frame = m_pending.left(length);
        const qint64 endNs = m_pendingTimes.at(length - 1);
        if (command == 'P' && frame != WakeUp)
            length = 1;
        m_pending.remove(0, length);
        m_pendingTimes.remove(0, length);
        if (length == 1 && command != 0x06 && command != 'E' && command != 'b') {
            log(QStringLiteral("<- ") + describeProgramFrame(frame.left(1)));
            continue;
        }
        frames.append(frame.left(length));
        if (faults.silent) {
            log(QStringLiteral("<- %1 (not answered)").arg(trafficHex(frame.left(length))));
            continue;
        }
        log(QStringLiteral("<- ") + describeProgramFrame(frame.left(length)));
        switch (command) {
        case 0x06:
            // Replies of the link so far: the identification and the blocks.
            if (wakeUps == 1 && m_repliesOfLink - 1 == faults.strayAfterAckOf) {
                log(QStringLiteral("-> stray byte 5A"));
                m_out.append({QByteArray(1, char(0x5A)), nowNs()});
                sendDue();
            }
            break;
        case 'P': {
            ++wakeUps;
            m_repliesOfLink = 0;
            QByteArray ident(faults.identOffset, char(0xA5));
            ident += faults.identWithoutSequence ? QByteArray("KV D8") : QByteArray("KV D9");
            ident += char(0x01);
            ident += memory.at(PowerAddress);
            ident += memory.at(PowerAddress + 1);
            ident += char(0x00);
            if (faults.identLength >= 0)
                ident.truncate(faults.identLength);
            reply(ident, endNs, QStringLiteral("identification"));
            break;
        }
        case 'R': {
            const int index = readRequests++;
            const int at = (quint8(frame.at(1)) << 8) | quint8(frame.at(2));
            if (index == faults.hangUpAtReadRequest) {
                hangUp();
                return;
            }
            if (index == faults.silentFromRead) {
                faults.silent = true;
                log(QStringLiteral("   the radio falls silent"));
                break;
            }
            if (index == faults.dropReadReplyAt) {
                log(QStringLiteral("   block reply lost"));
                break;
            }
            const int other = (at + 0x0110) & 0x0FF0;
            const QByteArray header = faults.foreignReplyHeader
                ? QByteArray("\x57", 1) + char(other >> 8) + char(other & 0xFF) + QByteArray("\x10\x00", 2)
                : QByteArray(1, char(0x06)) + frame.left(4);
            QByteArray block = header + memory.mid(at & 0x0FF0, 16);
            reply(block, endNs, QStringLiteral("block %1").arg(trafficAddress(at)));
            break;
        }
        case 'W':
        case 'g': {
            const int at = (quint8(frame.at(1)) << 8) | quint8(frame.at(2));
            if (command == 'W' && writeFrames == faults.silentFromWrite) {
                faults.silent = true;
                log(QStringLiteral("   the radio falls silent"));
                break;
            }
            if (command == 'W' && writeFrames == faults.refuseWriteAt) {
                ++writeFrames;
                reply(QByteArray(1, char(0x15)), endNs, QStringLiteral("NAK, frame refused"));
                break;
            }
            // The power record travels with the address 03F0 but is the
            // memory's last row.
            const int target = command == 'W' ? (at & 0x0FF0) : PowerAddress;
            memory.replace(target, 16, frame.mid(4, 16));
            if (faults.corruptByteAt >= target && faults.corruptByteAt < target + 16)
                memory[faults.corruptByteAt] = char(~memory.at(faults.corruptByteAt));
            const int index = command == 'W' ? writeFrames++ : -1;
            if (command == 'g')
                ++powerFrames;
            if (index >= 0 && index == faults.dropAckAt) {
                log(QStringLiteral("   acknowledgement lost"));
                break;
            }
            QByteArray ack(1, char(0x06));
            if (index >= 0 && index == faults.doubleAckAt)
                ack.append(char(0x06));
            if (faults.garbageBeforeAcks)
                ack.prepend(char(0x15));
            reply(ack, endNs, QStringLiteral("ACK"));
            break;
        }
        }
    }
}

void RadioSimulator::reply(const QByteArray &reply, qint64 frameEndNs, const QString &what)
{
    QByteArray bytes = reply;
    if (m_repliesOfLink++ == faults.strayBeforeReply && wakeUps <= faults.strayLinks)
        bytes.prepend(char(0x5A));
    log(QStringLiteral("-> %1: %2").arg(what, trafficHex(bytes)));
    const int firstPart = faults.splitReplies ? bytes.size() / 2 : bytes.size();
    const qint64 now = nowNs();
    const QByteArray pieces[] = {bytes.left(firstPart), bytes.mid(firstPart)};
    for (const QByteArray &piece : pieces) {
        if (piece.isEmpty())
            continue;
        qint64 due = now;
        if (m_paced)
            due = qMax(frameEndNs, m_lastTxNs) + piece.size() * ByteNs;
        if (&piece != pieces)
            due = qMax(due, m_out.last().dueNs + SplitPauseNs);
        m_lastTxNs = qMax(m_lastTxNs, due);
        m_out.append({piece, due});
    }
    sendDue();
}

void RadioSimulator::sendDue()
{
    // The timer wakes up a little early; the rest is slept away, so that a
    // piece leaves within microseconds of its time.
    constexpr qint64 SleepNs = 2000000;
    while (m_master >= 0 && !m_out.isEmpty()) {
        const qint64 wait = m_out.first().dueNs - nowNs();
        if (wait > SleepNs) {
            m_sendTimer->start(int((wait - SleepNs) / 1000000) + 1);
            return;
        }
        if (wait > 0) {
            const timespec pause {0, long(wait)};
            nanosleep(&pause, nullptr);
        }
        const QByteArray piece = m_out.takeFirst().bytes;
        if (::write(m_master, piece.constData(), size_t(piece.size())) < 0)
            log(QStringLiteral("write failed: %1").arg(QString::fromLocal8Bit(strerror(errno))));
    }
}

#include "moc_RadioSimulator.cpp"
