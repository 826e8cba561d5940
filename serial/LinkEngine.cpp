#include "serial/LinkEngine.h"

#include <QTimer>

#include <algorithm>

namespace {

constexpr quint8 Ack = 0x06;
constexpr quint8 EndOfWrite = 0x45;
constexpr quint8 EndOfPowerLink = 0x62; // 'b'
constexpr quint8 ReadCommand = 0x52;
constexpr quint8 WriteCommand = 0x57;
constexpr quint8 PowerCommand = 0x67;
constexpr quint8 BlockLength = 0x10;
constexpr quint8 Identity[] = {0x4B, 0x56, 0x20, 0x44, 0x39};                // "KV D9"
constexpr int IdentLength = 9;
constexpr int BlockReplyLength = 21;
constexpr int PowerAddress = 0x03F0;
constexpr int LastWrittenRow = 254;

// Rows first..last.
QList<int> rowRange(int first, int last)
{
    QList<int> rows;
    for (int r = first; r <= last; ++r)
        rows << r;
    return rows;
}

QTimer *preciseTimer(QObject *parent)
{
    auto *timer = new QTimer(parent);
    timer->setTimerType(Qt::PreciseTimer);
    return timer;
}

} // namespace

LinkEngine::LinkEngine(LinkKind kind, const LinkTiming &timing, QObject *parent, LinkPort *port)
    : QObject(parent), MSC(port ? port : new SerialLinkPort(this)), Timer1(preciseTimer(this)),
      Timer2(preciseTimer(this)), Timer3(preciseTimer(this)), m_kind(kind), m_timing(timing)
{
    connect(MSC, &LinkPort::bytesReceived, this, &LinkEngine::MSC_OnComm);
    connect(MSC, &LinkPort::deviceLost, this, &LinkEngine::onDeviceLost);
    connect(Timer1, &QTimer::timeout, this, &LinkEngine::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, [this] {
        m_lastFailure = state.connected ? LinkFailure::LostReply : LinkFailure::NoAnswer;
        if (!state.connected && MSC->inputCount() > 0)
            m_unrecognisedReply = MSC->read(MSC->inputCount());
        Timer2_Timer();
    });
    connect(Timer3, &QTimer::timeout, this, &LinkEngine::Timer3_Timer);
    setRows({});
}

void LinkEngine::setRows(const QList<int> &rows)
{
    const int last = m_kind == LinkKind::Write ? LastWrittenRow : RadioRows - 1;
    if (rows.isEmpty()) {
        m_rows = rowRange(0, last);
        return;
    }
    m_rows.clear();
    for (const int row : rows)
        if (row >= 0 && row <= last && !m_rows.contains(row))
            m_rows << row;
    std::sort(m_rows.begin(), m_rows.end());
}

QList<int> LinkEngine::rowsSent() const
{
    QList<int> rows;
    for (int r = 0; r < RadioRows; ++r)
        if (m_sent.at(r))
            rows << r;
    return rows;
}

void LinkEngine::setPort(const PortSpec &spec, PortDirectory &directory)
{
    if (auto *serial = qobject_cast<SerialLinkPort *>(MSC))
        serial->setPort(spec, directory);
}

bool LinkEngine::isPortOpen() const
{
    return MSC->isOpen();
}

bool LinkEngine::OpenCommPort()
{
    QString reason;
    if (MSC->open(reason)) {
        MSC->discardInput();
        if (m_kind != LinkKind::Read)
            MSC->discardOutput();
        return true;
    }
    emit openFailed(reason);
    return false;
}

void LinkEngine::start()
{
    if (state.busy)
        return;
    state.retriesLeft = Attempts - 1;
    m_lastFailure = LinkFailure::NoAnswer;
    m_unrecognisedReply.clear();
    m_sent.fill(false);
    if (m_kind != LinkKind::Power && m_rows.isEmpty()) {
        // Nothing to move: done without waking the radio.
        state.done = true;
        emit completed();
        return;
    }
    StartLink();
}

void LinkEngine::StartLink()
{
    if (state.busy)
        return;
    if (!MSC->isOpen() && !OpenCommPort())
        return;
    state.connected = false;
    MSC->discardInput();
    std::copy(std::begin(LinkWakeUp), std::end(LinkWakeUp), state.txFrame);
    state.txLength = int(sizeof LinkWakeUp);
    state.writeMode = m_kind != LinkKind::Read;
    state.busy = true;
    state.blockIndex = 0;
    state.blockCount = m_kind == LinkKind::Power ? 1 : int(m_rows.size());
    m_frameRow = -1;
    SendFrame();
    emit attemptStarted(Attempts - state.retriesLeft, Attempts);
}

void LinkEngine::SendFrame()
{
    state.frameSent = false;
    state.txPos = 0;
    // A precise timer never fires before its time: the link sleeps until
    // the frame is due.
    Timer1->start(m_timing.pacerMs);
}

void LinkEngine::SendPowerFrame()
{
    // txFrame[0] keeps the acknowledgement of the first power frame.
    loadFrame(1, PowerCommand, Region::PowerRow, PowerAddress);
    state.txLength = 21;
    state.blockIndex = 256;
    MSC->discardInput();
    SendFrame();
    MSC->discardInput();
}

void LinkEngine::sendPowerRecord(const Codeplug &record)
{
    m_image = record;
    if (state.connected)
        SendPowerFrame();
}

void LinkEngine::stopLinkTimers()
{
    Timer1->stop();
    Timer2->stop();
    Timer3->stop();
    state.busy = false;
}

void LinkEngine::cancel()
{
    stopLinkTimers();
    MSC->close();
}

void LinkEngine::endPowerLink()
{
    stopLinkTimers();
    if (MSC->isOpen()) {
        MSC->writeByte(EndOfPowerLink);
        MSC->close();
    }
}

// Command, address, length and the 16 bytes of the codeplug row, from txFrame[at].
void LinkEngine::loadFrame(int at, quint8 command, int row, int address)
{
    quint8 *frame = state.txFrame + at;
    frame[0] = command;
    frame[1] = quint8(address / 256);
    frame[2] = quint8(address % 256);
    frame[3] = BlockLength;
    for (int c = 0; c < RowBytes; ++c)
        frame[4 + c] = m_image.at(row, c);
}

// A write frame of codeplug row `row` to its own address, from txFrame[at].
void LinkEngine::loadWriteFrame(int at, int row)
{
    loadFrame(at, WriteCommand, row, row * 16);
    m_frameRow = row;
}

void LinkEngine::Timer1_Timer()
{
    if (m_frameRow >= 0)
        m_sent[m_frameRow] = true;
    // The whole frame goes to the system at once, within this one tick: the
    // byte watchdog covers the handing out, the frame watchdog the reply.
    Timer2->start(m_timing.byteReplyMs);
    MSC->write(state.txFrame + state.txPos, state.txLength - state.txPos);
    state.txPos = state.txLength;
    Timer2->start(m_timing.frameReplyMs);
    Timer1->stop();
    state.frameSent = true;
}

void LinkEngine::MSC_OnComm()
{
    if (state.connected && state.writeMode) {
        // Each byte is a receive event of its own.
        while (state.connected && MSC->inputCount() > 0)
            handleAcknowledgement();
    } else if (state.connected) {
        // Block replies are taken by count, so a byte that comes while no
        // reply is due, or beyond the reply that is due, would shift every
        // later block: the replies are misaligned, and the link starts again
        // as after a lost reply.
        const int waiting = MSC->inputCount();
        if ((!state.frameSent && waiting > 0) || waiting > BlockReplyLength) {
            m_lastFailure = LinkFailure::LostReply;
            Timer2_Timer();
        } else if (waiting == BlockReplyLength) {
            handleBlockReply();
        }
    }
    if (!state.connected && MSC->inputCount() >= IdentLength)
        handleIdentification();
}

void LinkEngine::handleIdentification()
{
    quint8 *rx = state.rxScratch;
    const QByteArray reply = MSC->read(IdentLength);
    for (int i = 0; i < IdentLength; ++i)
        rx[i] = quint8(reply.at(i));
    int offset = -1;
    for (int p = 0; p + int(sizeof Identity) <= IdentLength && offset < 0; ++p)
        if (std::equal(std::begin(Identity), std::end(Identity), rx + p))
            offset = p;
    MSC->discardInput();
    if (offset < 0) {
        m_unrecognisedReply = reply;
        return;
    }
    // Values that would lie beyond the bytes read count as 0.
    for (int i = 0; i < IdentLength; ++i)
        rx[i] = i + offset < IdentLength ? rx[i + offset] : 0;
    Timer2->stop();
    Timer3->stop();

    switch (m_kind) {
    case LinkKind::Read: {
        state.connected = true;
        emit identified();
        const int address = m_rows.first() * 16;
        const quint8 firstRequest[] = {Ack, ReadCommand, quint8(address / 256), quint8(address % 256),
                                       BlockLength};
        std::copy(std::begin(firstRequest), std::end(firstRequest), state.txFrame);
        state.txLength = int(sizeof firstRequest);
        state.blockIndex = 1;
        SendFrame();
        MSC->discardInput();
        break;
    }
    case LinkKind::Write:
        state.connected = true;
        emit identified();
        state.blockIndex = 0;
        state.txFrame[0] = Ack;
        loadWriteFrame(1, m_rows.first());
        state.txLength = 21;
        state.blockIndex = 1;
        MSC->discardInput();
        SendFrame();
        MSC->discardInput();
        break;
    case LinkKind::Power:
        m_image.at(Region::PowerRow, 0) = rx[6];
        m_image.at(Region::PowerRow, 1) = rx[7];
        // The window shows the values before the link counts as connected,
        // so that showing them sends no frame of its own.
        emit identified();
        state.connected = true;
        state.blockIndex = 255;
        state.txFrame[0] = Ack;
        SendPowerFrame();
        break;
    }
}

void LinkEngine::handleBlockReply()
{
    Timer2->stop();
    const QByteArray reply = MSC->read(BlockReplyLength);
    std::copy(reply.begin(), reply.end(), m_replies[state.blockIndex]);
    MSC->writeByte(Ack);
    if (state.blockIndex >= state.blockCount) {
        stopLinkTimers();
        MSC->close();
        CopyReadBlocks();
        state.done = true;
        emit completed();
        return;
    }
    const int address = m_rows.at(state.blockIndex) * 16;
    const quint8 request[] = {ReadCommand, quint8(address / 256), quint8(address % 256), BlockLength};
    std::copy(std::begin(request), std::end(request), state.txFrame);
    state.txLength = int(sizeof request);
    ++state.blockIndex;
    SendFrame();
    emit progress(state.blockIndex);
}

void LinkEngine::handleAcknowledgement()
{
    const quint8 byte = quint8(MSC->read(1).at(0));
    state.rxScratch[0] = byte;
    // An acknowledgement can only answer a frame that went out.
    if (byte != Ack || !state.frameSent)
        return;
    Timer2->stop();
    if (m_kind == LinkKind::Power) {
        stopLinkTimers();
        return;
    }
    if (state.blockIndex >= state.blockCount) {
        stopLinkTimers();
        state.done = true;
        MSC->writeByte(EndOfWrite);
        MSC->close();
        emit completed();
        return;
    }
    const int frame = state.blockIndex;
    loadWriteFrame(0, m_rows.at(frame));
    state.txLength = 20;
    ++state.blockIndex;
    SendFrame();
    // Reported once the pacer runs, so that showing it costs the frame no time.
    emit progress(frame);
}

// A vanished device is a reply that never comes, unless none was awaited.
void LinkEngine::onDeviceLost()
{
    if (!state.busy) {
        emit portLost();
        return;
    }
    m_lastFailure = LinkFailure::DeviceLost;
    Timer2_Timer();
}

void LinkEngine::Timer2_Timer()
{
    Timer2->stop();
    Timer1->stop();
    Timer3->start(m_timing.restartMs);
    MSC->close();
    state.busy = false;
    emit restartPauseStarted(m_timing.restartMs);
}

void LinkEngine::Timer3_Timer()
{
    Timer1->stop();
    Timer2->stop();
    Timer3->stop();
    if (state.retriesLeft < 1) {
        emit failed(m_lastFailure);
        return;
    }
    --state.retriesLeft;
    StartLink();
}

void LinkEngine::CopyReadBlocks()
{
    for (int k = 1; k <= state.blockCount; ++k)
        for (int j = 5; j <= 20; ++j)
            m_image.at(m_rows.at(k - 1), j - 5) = m_replies[k][j];
}
