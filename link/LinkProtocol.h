#pragma once
#include <QDeadlineTimer>
#include <QObject>
#include <QtGlobal>

class QTimer;
class SerialPort;

// The raw block replies of a read: ReadBuffer[k][0..20] holds the k-th reply.
extern qint16 ReadBuffer[301][71];

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

// One link with the radio: the port, the send pacer Timer1, the reply
// watchdog Timer2, the restart pause Timer3 and the window's close poller
// Timer4. It reads the image from the radio, writes it to the radio, or
// exchanges the power record, and tells its window how it goes.
class LinkEngine : public QObject {
    Q_OBJECT
public:
    LinkEngine(LinkKind kind, const LinkTiming &timing, QObject *parent = nullptr);

    SerialPort *const MSC;
    QTimer *const Timer1;
    QTimer *const Timer2;
    QTimer *const Timer3;
    QTimer *const Timer4;
    LinkState state;

    LinkKind kind() const { return m_kind; }
    const LinkTiming &timing() const { return m_timing; }

    bool OpenCommPort();
    void StartLink();
    void SendFrame();
    // Power link: sends the power record of the image now, replacing a frame
    // still going out.
    void SendPowerFrame();
    // Stops the three link timers; the link is no longer busy.
    void stopLinkTimers();
    // Ends the link at once: every timer stops and the port closes.
    void shutDown();

signals:
    // Read: the block numbered blockIndex was requested. Write: the row
    // blockIndex is about to be sent.
    void progress(int blockIndex);
    void completed();
    // The last restart failed as well.
    void failed();
    // Power: the radio reported its power values, now in the image.
    void identified();

private:
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
};
