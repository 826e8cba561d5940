#pragma once
#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>

class QSocketNotifier;
class QTimer;

// A simulated radio on a pseudo-terminal: the program opens devicePath() as
// its serial port. The radio answers the wake-up frame with its
// identification, serves read requests from a 4096-byte memory of its own,
// stores write and power frames, records every byte it receives and can
// misbehave on request.
class RadioSimulator : public QObject {
    Q_OBJECT
public:
    // Ways to misbehave. Counts start at 0 and are taken since the
    // simulator started; each fault strikes once.
    struct Faults {
        bool silent = false;               // never answers anything
        int identOffset = 0;               // bytes before "KV D9" in the identification
        int identLength = -1;              // cut the identification to this many bytes
        bool identWithoutSequence = false; // an identification without "KV D9"
        int dropReadReplyAt = -1;          // this read request gets no reply
        int dropAckAt = -1;                // this write frame gets no acknowledgement
        int refuseWriteAt = -1;            // this write frame is not stored and answered 15 (NAK)
        int silentFromWrite = -1;          // from this write frame on, nothing is stored or answered
        int silentFromRead = -1;           // from this read request on, nothing is answered
        int doubleAckAt = -1;              // this write frame is acknowledged twice at once
        int hangUpAtReadRequest = -1;      // the cable is pulled when this request arrives
        bool splitReplies = false;         // replies arrive in two pieces, 3 ms apart
        bool garbageBeforeAcks = false;    // a stray byte precedes every acknowledgement
        int corruptByteAt = -1;            // a write stores this address's byte inverted
        // A stray byte precedes this reply of a link, counted from its
        // wake-up: 0 the identification, then block replies or
        // acknowledgements from 1; in each of the first strayLinks links.
        int strayBeforeReply = -1;
        int strayLinks = 1;
        // A stray byte follows the program's acknowledgement of this block
        // reply (from 1) of the first link, before the next request.
        int strayAfterAckOf = -1;
        // Block replies begin 57 hi lo 10 00 with an address of their own
        // instead of echoing the request; the program leaves the header
        // unexamined.
        bool foreignReplyHeader = false;
    };

    explicit RadioSimulator(QObject *parent = nullptr);
    ~RadioSimulator() override;

    // Opens the pseudo-terminal; false (with the reason) when that fails.
    bool start(QString *error = nullptr);
    QString devicePath() const { return m_devicePath; }
    // Closes the pseudo-terminal as a pulled cable would.
    void hangUp();

    // Takes both directions at the line rate of 9600 baud, 960 bytes a
    // second, as a real serial line does.
    void setPaced(bool paced) { m_paced = paced; }
    Faults faults;

    // The radio's memory, 4096 bytes; address a is byte a.
    QByteArray memory;
    // The image rows 0..255 of the program's default image with three channels.
    static QByteArray sampleMemory();

    // Every byte received, in order, and the frames recognised in it.
    const QByteArray &received() const { return m_received; }
    QList<QByteArray> frames;
    int wakeUps = 0;
    int readRequests = 0;
    int writeFrames = 0;
    int powerFrames = 0;

signals:
    // One line of readable traffic log.
    void traffic(const QString &line);

private:
    void onReadable();
    void parse();
    void reply(const QByteArray &bytes, qint64 frameEndNs, const QString &what);
    void sendDue();
    void log(const QString &line) { emit traffic(line); }
    qint64 nowNs() const { return m_clock.nsecsElapsed(); }

    int m_master = -1;
    int m_slave = -1;
    QString m_devicePath;
    QSocketNotifier *m_notifier = nullptr;
    QTimer *m_sendTimer;
    QElapsedTimer m_clock;
    bool m_paced = false;
    QByteArray m_received;
    QByteArray m_pending;         // received, not yet understood
    QList<qint64> m_pendingTimes; // when each pending byte ends on the line
    qint64 m_lastRxNs = 0;
    int m_repliesOfLink = 0; // replies since the last wake-up
    // Replies waiting to go out, each as one piece at the moment its last
    // byte has crossed the line.
    struct OutPiece {
        QByteArray bytes;
        qint64 dueNs;
    };
    QList<OutPiece> m_out;
    qint64 m_lastTxNs = 0;
};
