#pragma once
#include "core/Codeplug.h"
#include "serial/LinkPort.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QtGlobal>

class QTimer;

// The intervals of a link, in milliseconds. The real profile is what the
// radio expects; tests may shorten them so that restarts do not take seconds.
struct LinkTiming {
    int pacerMs = 15;         // from a prepared frame to its first byte
    int frameReplyMs = 1000;  // watchdog after the last byte of a frame
    int byteReplyMs = 2000;   // watchdog after each byte while a frame goes out
    int restartMs = 5000;     // pause before a failed link starts again
    int readCloseMs = 200;    // read window: how often it looks whether it is done
    int closeMs = 500;        // write and power windows: the same

    static LinkTiming real() { return LinkTiming(); }
};

enum class LinkKind { Read, Write, Power };

// Why a link gave up: the radio never identified itself, a reply or an
// acknowledgement went missing (or the replies were misaligned), or the
// device vanished.
enum class LinkFailure { NoAnswer, LostReply, DeviceLost };

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

// One link with the radio over a port of its own: the send pacer Timer1, the
// reply watchdog Timer2 and the restart pause Timer3. It reads the radio's
// memory into its codeplug, writes its codeplug to the radio, or exchanges
// the power record, and reports how it goes by signals only. Every link has
// its own buffers, and none blocks the thread it runs on, so that any number
// of links can run side by side.
class LinkEngine : public QObject {
    Q_OBJECT
public:
    // Without a port of its own the link uses a serial port.
    LinkEngine(LinkKind kind, const LinkTiming &timing, QObject *parent = nullptr,
               LinkPort *port = nullptr);

    LinkPort *const MSC;
    QTimer *const Timer1;
    QTimer *const Timer2;
    QTimer *const Timer3;
    LinkState state;

    LinkKind kind() const { return m_kind; }
    const LinkTiming &timing() const { return m_timing; }
    // Read: the radio's memory once the link completed. Write: what goes
    // to the radio. Power: the power record sent, and the values the radio
    // reported in row 255, bytes 0 and 1.
    const Codeplug &codeplug() const { return m_image; }
    void setCodeplug(const Codeplug &image) { m_image = image; }
    // The serial port the link opens; unused with a port of its own.
    void setPort(const PortSpec &spec);
    // The cause of the last lost reply; tells a vanished device apart.
    LinkFailure lastFailure() const { return m_lastFailure; }

    // Starts the link with three restarts in reserve.
    void start();
    void StartLink();
    void SendFrame();
    // Power link: sends the power record of the codeplug now, replacing a
    // frame still going out.
    void SendPowerFrame();
    // Stops the three link timers; the link is no longer busy.
    void stopLinkTimers();
    // Ends the link at once: every timer stops and the port closes.
    void shutDown();

signals:
    // The port could not be opened; the link stays down.
    void openFailed(const QString &reason);
    // The radio identified itself. Power: its power values are in the codeplug.
    void identified();
    // Read: the block numbered blockIndex was requested. Write: the row
    // blockIndex is about to be sent.
    void progress(int blockIndex);
    void completed();
    // The last restart failed as well.
    void failed(LinkFailure reason);
    // Progress of connecting, for the user: attempt `attempt` of `attempts`
    // has sent its wake-up frame; a failed attempt waits `ms` before the next.
    void attemptStarted(int attempt, int attempts);
    void restartPaused(int ms);

private:
    bool OpenCommPort();
    void MSC_OnComm();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void handleIdentification();
    void handleBlockReply();
    void handleAcknowledgement();
    void loadFrame(int at, quint8 command, int row, int address);
    void CopyReadBlocks();

    const LinkKind m_kind;
    const LinkTiming m_timing;
    QDeadlineTimer m_pacerDeadline;
    Codeplug m_image;
    LinkFailure m_lastFailure = LinkFailure::NoAnswer;
    // The raw block replies of a read: m_replies[k] holds the k-th reply.
    quint8 m_replies[257][21] = {};
};
