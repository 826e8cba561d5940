#include "serial/LinkEngine.h"

#include <QTimer>

#include <algorithm>

namespace {

using namespace Protocol;

// The frame number of every power frame: beyond the power link's one row,
// so that each acknowledgement completes the exchange.
constexpr int PowerFrameIndex = 256;

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

LinkEngine::LinkEngine(LinkKind kind, const LinkTiming &timing, LinkPort *port, QObject *parent)
    : QObject(parent), m_port(port), m_pacer(preciseTimer(this)),
      m_replyWatchdog(preciseTimer(this)), m_restartPause(preciseTimer(this)), m_kind(kind), m_timing(timing)
{
    connect(m_port, &LinkPort::bytesReceived, this, &LinkEngine::onBytesReceived);
    connect(m_port, &LinkPort::deviceLost, this, &LinkEngine::onDeviceLost);
    connect(m_pacer, &QTimer::timeout, this, &LinkEngine::sendPreparedFrame);
    connect(m_replyWatchdog, &QTimer::timeout, this, [this] {
        m_lastFailure = state.connected ? LinkFailure::LostReply : LinkFailure::NoAnswer;
        if (!state.connected && m_port->inputCount() > 0)
            m_unrecognisedReply = m_port->read(m_port->inputCount());
        abandonAttempt();
    });
    connect(m_restartPause, &QTimer::timeout, this, &LinkEngine::restartOrGiveUp);
    setRows({});
}

void LinkEngine::setRows(const QList<int> &rows)
{
    const int last = (m_kind == LinkKind::Write ? WriteRows : ReadRows) - 1;
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

bool LinkEngine::isPortOpen() const
{
    return m_port->isOpen();
}

bool LinkEngine::OpenCommPort()
{
    QString reason;
    if (m_port->open(reason)) {
        m_port->discardInput();
        if (m_kind != LinkKind::Read)
            m_port->discardOutput();
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
    if (!m_port->isOpen() && !OpenCommPort())
        return;
    state.connected = false;
    m_port->discardInput();
    std::copy(std::begin(LinkWakeUp), std::end(LinkWakeUp), state.txFrame);
    state.txLength = int(sizeof LinkWakeUp);
    state.writeMode = m_kind != LinkKind::Read;
    state.busy = true;
    state.blockIndex = 0;
    state.blockCount = m_kind == LinkKind::Power ? PowerRows : int(m_rows.size());
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
    m_pacer->start(m_timing.pacerMs);
}

void LinkEngine::SendPowerFrame()
{
    // txFrame[0] keeps the acknowledgement of the first power frame.
    loadFrame(1, PowerCommand, Region::PowerRow, PowerAddress);
    state.txLength = 1 + BlockFrameLength;
    state.blockIndex = PowerFrameIndex;
    m_port->discardInput();
    SendFrame();
    m_port->discardInput();
}

void LinkEngine::sendPowerRecord(const Codeplug &record)
{
    m_image = record;
    if (state.connected)
        SendPowerFrame();
}

void LinkEngine::stopLinkTimers()
{
    m_pacer->stop();
    m_replyWatchdog->stop();
    m_restartPause->stop();
    state.busy = false;
}

void LinkEngine::cancel()
{
    stopLinkTimers();
    m_port->close();
}

void LinkEngine::endPowerLink()
{
    stopLinkTimers();
    if (m_port->isOpen()) {
        m_port->writeByte(EndOfPowerLink);
        m_port->close();
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
        frame[FrameHeaderLength + c] = m_image.at(row, c);
}

// A write frame of codeplug row `row` to its own address, from txFrame[at].
void LinkEngine::loadWriteFrame(int at, int row)
{
    loadFrame(at, WriteCommand, row, rowAddress(row));
    m_frameRow = row;
}

void LinkEngine::sendPreparedFrame()
{
    if (m_frameRow >= 0)
        m_sent[m_frameRow] = true;
    // The whole frame goes to the system at once, within this one tick: the
    // byte watchdog covers the handing out, the frame watchdog the reply.
    m_replyWatchdog->start(m_timing.byteReplyMs);
    m_port->write(state.txFrame + state.txPos, state.txLength - state.txPos);
    state.txPos = state.txLength;
    m_replyWatchdog->start(m_timing.frameReplyMs);
    m_pacer->stop();
    state.frameSent = true;
}

void LinkEngine::onBytesReceived()
{
    if (state.connected && state.writeMode) {
        // Each byte is a receive event of its own.
        while (state.connected && m_port->inputCount() > 0)
            handleAcknowledgement();
    } else if (state.connected) {
        // Block replies are taken by count, so a byte that comes while no
        // reply is due, or beyond the reply that is due, would shift every
        // later block: the replies are misaligned, and the link starts again
        // as after a lost reply.
        const int waiting = m_port->inputCount();
        if ((!state.frameSent && waiting > 0) || waiting > BlockReplyLength) {
            m_lastFailure = LinkFailure::LostReply;
            abandonAttempt();
        } else if (waiting == BlockReplyLength) {
            handleBlockReply();
        }
    }
    if (!state.connected && m_port->inputCount() >= IdentLength)
        handleIdentification();
}

void LinkEngine::handleIdentification()
{
    quint8 *rx = state.rxScratch;
    const QByteArray reply = m_port->read(IdentLength);
    for (int i = 0; i < IdentLength; ++i)
        rx[i] = quint8(reply.at(i));
    int offset = -1;
    for (int p = 0; p + int(sizeof Identity) <= IdentLength && offset < 0; ++p)
        if (std::equal(std::begin(Identity), std::end(Identity), rx + p))
            offset = p;
    m_port->discardInput();
    if (offset < 0) {
        m_unrecognisedReply = reply;
        return;
    }
    // Values that would lie beyond the bytes read count as 0.
    for (int i = 0; i < IdentLength; ++i)
        rx[i] = i + offset < IdentLength ? rx[i + offset] : 0;
    m_replyWatchdog->stop();
    m_restartPause->stop();

    switch (m_kind) {
    case LinkKind::Read: {
        state.connected = true;
        emit identified();
        const int address = rowAddress(m_rows.first());
        const quint8 firstRequest[] = {Ack, ReadCommand, quint8(address / 256), quint8(address % 256),
                                       BlockLength};
        std::copy(std::begin(firstRequest), std::end(firstRequest), state.txFrame);
        state.txLength = int(sizeof firstRequest);
        state.blockIndex = 1;
        SendFrame();
        m_port->discardInput();
        break;
    }
    case LinkKind::Write:
        state.connected = true;
        emit identified();
        state.blockIndex = 0;
        state.txFrame[0] = Ack;
        loadWriteFrame(1, m_rows.first());
        state.txLength = 1 + BlockFrameLength;
        state.blockIndex = 1;
        m_port->discardInput();
        SendFrame();
        m_port->discardInput();
        break;
    case LinkKind::Power:
        m_image.at(Region::PowerRow, 0) = rx[IdentLowPowerAt];
        m_image.at(Region::PowerRow, 1) = rx[IdentHighPowerAt];
        // The window shows the values before the link counts as connected,
        // so that showing them sends no frame of its own.
        emit identified();
        state.connected = true;
        state.blockIndex = PowerFrameIndex - 1;
        state.txFrame[0] = Ack;
        SendPowerFrame();
        break;
    }
}

void LinkEngine::handleBlockReply()
{
    m_replyWatchdog->stop();
    const QByteArray reply = m_port->read(BlockReplyLength);
    std::copy(reply.begin(), reply.end(), m_replies[state.blockIndex]);
    m_port->writeByte(Ack);
    if (state.blockIndex >= state.blockCount) {
        stopLinkTimers();
        m_port->close();
        CopyReadBlocks();
        state.done = true;
        emit completed();
        return;
    }
    const int address = rowAddress(m_rows.at(state.blockIndex));
    const quint8 request[] = {ReadCommand, quint8(address / 256), quint8(address % 256), BlockLength};
    std::copy(std::begin(request), std::end(request), state.txFrame);
    state.txLength = int(sizeof request);
    ++state.blockIndex;
    SendFrame();
    emit progress(state.blockIndex);
}

void LinkEngine::handleAcknowledgement()
{
    const quint8 byte = quint8(m_port->read(1).at(0));
    state.rxScratch[0] = byte;
    // An acknowledgement can only answer a frame that went out.
    if (byte != Ack || !state.frameSent)
        return;
    m_replyWatchdog->stop();
    if (m_kind == LinkKind::Power) {
        stopLinkTimers();
        return;
    }
    if (state.blockIndex >= state.blockCount) {
        stopLinkTimers();
        state.done = true;
        m_port->writeByte(EndOfWrite);
        m_port->close();
        emit completed();
        return;
    }
    const int frame = state.blockIndex;
    loadWriteFrame(0, m_rows.at(frame));
    state.txLength = BlockFrameLength;
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
    abandonAttempt();
}

void LinkEngine::abandonAttempt()
{
    m_replyWatchdog->stop();
    m_pacer->stop();
    m_restartPause->start(m_timing.restartMs);
    m_port->close();
    state.busy = false;
    emit restartPauseStarted(m_timing.restartMs);
}

void LinkEngine::restartOrGiveUp()
{
    m_pacer->stop();
    m_replyWatchdog->stop();
    m_restartPause->stop();
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
        for (int j = BlockReplyDataAt; j < BlockReplyLength; ++j)
            m_image.at(m_rows.at(k - 1), j - BlockReplyDataAt) = m_replies[k][j];
}

#include "moc_LinkEngine.cpp"
