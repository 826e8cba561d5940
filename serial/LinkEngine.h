#pragma once
#include "core/Codeplug.h"
#include "serial/LinkPort.h"
#include "serial/LinkProtocol.h"

#include <QList>
#include <QObject>
#include <QtGlobal>

class QTimer;

// One link with the radio over a port of its own. It reads the radio's
// memory into its codeplug, writes its codeplug to the radio, or exchanges
// the power record, and reports how it goes by signals only; its port, its
// timers and its state are its own. Every link has its own buffers, and none
// blocks the thread it runs on, so that any number of links can run side by
// side.
class LinkEngine : public QObject {
    Q_OBJECT
public:
    // The link runs on `port`, which its owner sets up: a serial port, a
    // traced one, or anything else that produces the radio's bytes.
    LinkEngine(LinkKind kind, const LinkTiming &timing, LinkPort *port, QObject *parent = nullptr);

    // A link is tried this many times before it gives up.
    static constexpr int Attempts = 4;

    LinkKind kind() const { return m_kind; }
    const LinkTiming &timing() const { return m_timing; }
    // Read: the radio's memory once the link completed. Write: what goes
    // to the radio. Power: the power record sent, and the values the radio
    // reported in row 255, bytes 0 and 1.
    const Codeplug &codeplug() const { return m_image; }
    void setCodeplug(const Codeplug &image) { m_image = image; }
    // The rows a read or write link moves, each once, in address order; a
    // read leaves the codeplug's other rows as they were. By default, and
    // for an empty list, the whole transfer: rows 0..255 read, 0..254
    // written. A write never sends row 255 or above, whatever it is given.
    void setRows(const QList<int> &rows);
    const QList<int> &rows() const { return m_rows; }
    // Write: the rows whose frames went out to the radio in any attempt,
    // acknowledged or not, in address order: what a cut write may have
    // changed.
    QList<int> rowsSent() const;
    // The cause of the last lost reply; tells a vanished device apart.
    LinkFailure lastFailure() const { return m_lastFailure; }
    // The last bytes that came instead of an identification (no "KV D9" in
    // them): something answered that is no KVD9, or at another speed.
    // Empty when nothing did.
    QByteArray unrecognisedReply() const { return m_unrecognisedReply; }

    // A link is under way: a second start does nothing.
    bool isBusy() const { return state.busy; }
    // The radio's identification was accepted; a power link stays so
    // between its frames.
    bool isConnected() const { return state.connected; }
    bool isPortOpen() const;
    // A read or write completed. A fresh engine has not.
    bool isDone() const { return state.done; }

    // Starts the link with three restarts in reserve, unless one is under
    // way. A port that cannot be opened is reported by openFailed() before
    // this returns.
    // A read or write given no row to move completes at once.
    void start();
    // Ends the link at once: every timer stops and the port closes.
    void cancel();
    // Power link: sends the power record of `record` (row 255) when the
    // radio is connected, replacing a frame still going out; else keeps it
    // for the next frame only.
    void sendPowerRecord(const Codeplug &record);
    // Power link: stops the link and, while the port is open, tells the
    // radio that the adjustment ends ('b') and closes the port.
    void endPowerLink();

signals:
    // The port could not be opened, for `reason` in the system's words; the
    // link stays down.
    void openFailed(const QString &reason);
    // The wake-up frame of attempt `attempt` (1..attempts) is about to go out.
    void attemptStarted(int attempt, int attempts);
    // The radio went silent or the link broke off: the port is closed and
    // the link waits `pauseMs` before its next attempt, or before it gives
    // up (failed()) when the last attempt has been made.
    void restartPauseStarted(int pauseMs);
    // The radio identified itself. Power: its power values are in the codeplug.
    void identified();
    // Read: the block numbered blockIndex (from 1) was requested. Write: the
    // frame numbered blockIndex (from 0) is about to be sent. In a whole
    // transfer a write frame's number is its row.
    void progress(int blockIndex);
    void completed();
    // The last attempt failed as well.
    void failed(LinkFailure reason);
    // The device vanished while no reply was awaited: the port is closed
    // and the link is down, with no restart.
    void portLost();

private:
    // The state of one link.
    struct LinkState {
        quint8 txFrame[201] = {};
        int txLength = 0;
        int txPos = 0;
        int blockIndex = 0;
        int blockCount = 0;
        int retriesLeft = 0;
        bool busy = false;
        bool connected = false;
        bool writeMode = false;
        bool frameSent = false;
        bool done = false;
        quint8 rxScratch[2001] = {};
    };

    bool OpenCommPort();
    void StartLink();
    void SendFrame();
    void SendPowerFrame();
    // Stops the three link timers; the link is no longer busy.
    void stopLinkTimers();
    // The port's receive event: an acknowledgement, a block reply or the
    // identification.
    void onBytesReceived();
    void onDeviceLost();
    // The pacer's tick: the prepared frame goes out whole.
    void sendPreparedFrame();
    // No reply came in time (or the replies were misaligned): the port
    // closes and the restart pause begins.
    void abandonAttempt();
    // The restart pause ended: the link starts again, or gives up after
    // its last attempt.
    void restartOrGiveUp();
    void handleIdentification();
    void handleBlockReply();
    void handleAcknowledgement();
    void loadFrame(int at, quint8 command, int row, int address);
    void loadWriteFrame(int at, int row);
    void CopyReadBlocks();

    LinkPort *const m_port;
    QTimer *const m_pacer;         // hands the prepared frame to the port
    QTimer *const m_replyWatchdog; // a reply is due
    QTimer *const m_restartPause;  // before the next attempt
    LinkState state;
    const LinkKind m_kind;
    const LinkTiming m_timing;
    Codeplug m_image;
    LinkFailure m_lastFailure = LinkFailure::NoAnswer;
    QByteArray m_unrecognisedReply;
    QList<int> m_rows;
    // The row of the write frame in txFrame, or -1 for any other frame.
    int m_frameRow = -1;
    QList<bool> m_sent = QList<bool>(RadioRows, false);
    // The raw block replies of a read: m_replies[k] holds the k-th reply.
    quint8 m_replies[Protocol::ReadRows + 1][Protocol::BlockReplyLength] = {};
};
