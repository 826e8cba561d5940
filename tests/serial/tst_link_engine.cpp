// The link engine without a window or a serial device: a scripted port
// plays the radio's side, so that timers, restarts and frames are checked in
// milliseconds.
#include "serial/LinkEngine.h"
#include "serial/LinkTestSupport.h"

#include <QTest>

namespace {

// A radio behind a port, answering by the script's faults.
class ScriptedPort : public LinkPort {
    Q_OBJECT
public:
    QByteArray memory = QByteArray(Codeplug::Size, '\0');
    bool openFails = false;
    bool silent = false;
    int replyDelayMs = 0;  // from the end of a frame to its reply
    int lostFrom = -1;     // this request or frame and every later one get no reply
    int lostOnce = -1;     // only this one gets none, once
    int vanishFrom = -1;   // the device vanishes when this request or frame, or a later one, arrives
    QList<QByteArray> frames; // as the engine handed them out
    int opens = 0;
    int requests = 0; // read requests and write frames, counted over every attempt

    bool open(QString &reason) override
    {
        if (openFails) {
            reason = QStringLiteral("No such file or directory");
            return false;
        }
        ++opens;
        m_open = true;
        return true;
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    int inputCount() const override { return int(m_input.size()); }
    void discardInput() override { m_input.clear(); }
    void discardOutput() override {}
    QByteArray read(int count) override
    {
        const QByteArray bytes = m_input.left(count);
        m_input.remove(0, count);
        return bytes;
    }
    void write(const quint8 *bytes, int count) override
    {
        const QByteArray frame(reinterpret_cast<const char *>(bytes), count);
        frames << frame;
        if (silent || frame == QByteArray(1, '\x06'))
            return;
        if (frame == QByteArray(LinkWakeUp, sizeof LinkWakeUp)) {
            // "KV D9", a byte, the power values and a byte.
            answer(QByteArray("KV D9\x00\x28\x50\x00", 9));
            return;
        }
        const int request = requests++;
        if (vanishFrom >= 0 && request >= vanishFrom) {
            m_open = false;
            QTimer::singleShot(0, this, &LinkPort::deviceLost);
            return;
        }
        if (request == lostOnce) {
            lostOnce = -1;
            return;
        }
        if (lostFrom >= 0 && request >= lostFrom)
            return;
        const QByteArray body = frame.startsWith('\x06') ? frame.mid(1) : frame;
        const int address = (quint8(body.at(1)) << 8) | quint8(body.at(2));
        if (body.startsWith('R'))
            answer(QByteArray("\x06W", 2) + body.mid(1, 3) + memory.mid(address, 16));
        else if (body.startsWith('W') && body.size() == 20) {
            memory.replace(address, 16, body.mid(4));
            answer(QByteArray(1, '\x06'));
        }
    }

private:
    void answer(const QByteArray &reply)
    {
        QTimer::singleShot(replyDelayMs, Qt::PreciseTimer, this, [this, reply] {
            if (!m_open)
                return;
            m_input += reply;
            emit bytesReceived();
        });
    }

    bool m_open = false;
    QByteArray m_input;
};

// Restarts in milliseconds; the watchdog still far beyond the script's replies.
LinkTiming fastTiming()
{
    LinkTiming t;
    t.pacerMs = 0;
    t.frameReplyMs = 100;
    t.byteReplyMs = 200;
    t.restartMs = 10;
    return t;
}

// What a link reported, in order.
struct Outcome {
    QStringList events;
    bool ended = false;
};

Outcome runLink(LinkEngine &link)
{
    Outcome outcome;
    QObject::connect(&link, &LinkEngine::attemptStarted, [&](int attempt, int attempts) {
        outcome.events << QStringLiteral("attempt %1/%2").arg(attempt).arg(attempts);
    });
    QObject::connect(&link, &LinkEngine::restartPauseStarted,
                     [&](int ms) { outcome.events << QStringLiteral("pause %1").arg(ms); });
    QObject::connect(&link, &LinkEngine::openFailed, [&](const QString &reason) {
        outcome.events << QStringLiteral("open failed: ") + reason;
        outcome.ended = true;
    });
    QObject::connect(&link, &LinkEngine::completed, [&] {
        outcome.events << QStringLiteral("completed");
        outcome.ended = true;
    });
    QObject::connect(&link, &LinkEngine::failed, [&](LinkFailure why) {
        static const char *const names[] = {"no answer", "lost reply", "device lost"};
        outcome.events << QStringLiteral("failed: ") + QLatin1String(names[int(why)]);
        outcome.ended = true;
    });
    link.start();
    waitUntil([&] { return outcome.ended; }, 10000);
    return outcome;
}

QByteArray sampleMemory()
{
    QByteArray memory(Codeplug::Size, '\0');
    for (int i = 0; i < memory.size(); ++i)
        memory[i] = char((i * 7 + i / 16) & 0xFF);
    return memory;
}

} // namespace

class TestLinkEngine : public QObject {
    Q_OBJECT

private slots:
    // Each way a link can end, by the attempts and pauses it reports.
    void linkEndsAsTheRadioAnswers_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("fault"); // "silent", "lost N", "lost from N", "vanish from N", "no port"
        QTest::addColumn<QStringList>("events");
        const QString a1 = "attempt 1/4", a2 = "attempt 2/4", a3 = "attempt 3/4", a4 = "attempt 4/4", p = "pause 10";
        QTest::newRow("read") << int(LinkKind::Read) << "" << QStringList{a1, "completed"};
        QTest::newRow("write") << int(LinkKind::Write) << "" << QStringList{a1, "completed"};
        QTest::newRow("read, silent radio")
            << int(LinkKind::Read) << "silent" << QStringList{a1, p, a2, p, a3, p, a4, p, "failed: no answer"};
        QTest::newRow("read, one reply lost")
            << int(LinkKind::Read) << "lost 40" << QStringList{a1, p, a2, "completed"};
        QTest::newRow("read, replies lost from block 40 on")
            << int(LinkKind::Read) << "lost from 40" << QStringList{a1, p, a2, p, a3, p, a4, p, "failed: lost reply"};
        QTest::newRow("write, acknowledgements lost from row 9 on")
            << int(LinkKind::Write) << "lost from 9" << QStringList{a1, p, a2, p, a3, p, a4, p, "failed: lost reply"};
        QTest::newRow("read, device vanishes for good")
            << int(LinkKind::Read) << "vanish from 40"
            << QStringList{a1, p, a2, p, a3, p, a4, p, "failed: device lost"};
        QTest::newRow("write, no port")
            << int(LinkKind::Write) << "no port" << QStringList{"open failed: No such file or directory"};
    }
    void linkEndsAsTheRadioAnswers()
    {
        QFETCH(int, kind);
        QFETCH(QString, fault);
        QFETCH(QStringList, events);
        auto *port = new ScriptedPort;
        port->memory = sampleMemory();
        const int at = fault.section(QLatin1Char(' '), -1).toInt();
        port->silent = fault == QLatin1String("silent");
        port->openFails = fault == QLatin1String("no port");
        if (fault.startsWith(QLatin1String("lost from")))
            port->lostFrom = at;
        else if (fault.startsWith(QLatin1String("lost")))
            port->lostOnce = at;
        else if (fault.startsWith(QLatin1String("vanish")))
            port->vanishFrom = at;
        LinkEngine link(LinkKind(kind), fastTiming(), port);
        port->setParent(&link);
        Codeplug image;
        for (int a = 0; a < Codeplug::Size; ++a)
            image.at(a / RowBytes, a % RowBytes) = quint8(255 - a % 251);
        link.setCodeplug(image);
        const Outcome outcome = runLink(link);
        QCOMPARE(outcome.events, events);
        QVERIFY(!link.isBusy());
        QVERIFY(!port->isOpen());
        if (events.last() != QLatin1String("completed"))
            return;
        QVERIFY(link.isDone());
        if (LinkKind(kind) == LinkKind::Read) {
            QCOMPARE(link.codeplug().toByteArray(), port->memory);
            return;
        }
        // Rows 0..254 are written, the power row 255 is not; 'E' ends it.
        QCOMPARE(port->memory.left(255 * RowBytes), image.toByteArray().left(255 * RowBytes));
        QCOMPARE(port->memory.mid(255 * RowBytes), sampleMemory().mid(255 * RowBytes));
        QCOMPARE(port->frames.last(), QByteArray("E"));
    }

    // The frames of a read and a write, as the radio expects them.
    void framesOfEachLink_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<QByteArray>>("first"); // the first frames handed out
        QTest::addColumn<int>("count");               // every frame of the link
        const QByteArray wake(LinkWakeUp, sizeof LinkWakeUp);
        QTest::newRow("read") << int(LinkKind::Read)
                              << QList<QByteArray>{wake, QByteArray("\x06R\x00\x00\x10", 5), "\x06",
                                                   QByteArray("R\x00\x10\x10", 4), "\x06"}
                              << 1 + 256 * 2;
        QByteArray first("\x06W\x00\x00\x10", 5), second("W\x00\x10\x10", 4);
        first += QByteArray(16, '\x01');
        second += QByteArray(16, '\x02');
        QTest::newRow("write") << int(LinkKind::Write) << QList<QByteArray>{wake, first, second} << 1 + 255 + 1;
    }
    void framesOfEachLink()
    {
        QFETCH(int, kind);
        QFETCH(QList<QByteArray>, first);
        QFETCH(int, count);
        auto *port = new ScriptedPort;
        LinkEngine link(LinkKind(kind), fastTiming(), port);
        port->setParent(&link);
        Codeplug image;
        for (int r = 0; r < 256; ++r)
            for (int c = 0; c < RowBytes; ++c)
                image.at(r, c) = quint8(r + 1);
        link.setCodeplug(image);
        QCOMPARE(runLink(link).events.last(), QStringLiteral("completed"));
        QCOMPARE(port->frames.mid(0, first.size()), first);
        QCOMPARE(port->frames.size(), count);
        QCOMPARE(port->opens, 1);
    }

    // A reply is taken until its watchdog runs out, never cut short: every
    // timer of the link is precise, and a reply that comes at 98 % of the
    // watchdog's time connects the link at its first attempt.
    void watchdogsNeverFireEarly_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("read") << int(LinkKind::Read);
        QTest::newRow("power") << int(LinkKind::Power);
    }
    void watchdogsNeverFireEarly()
    {
        QFETCH(int, kind);
        auto *port = new ScriptedPort;
        LinkTiming timing = fastTiming();
        timing.frameReplyMs = 250;
        port->replyDelayMs = 245;
        LinkEngine link(LinkKind(kind), timing, port);
        port->setParent(&link);
        const QList<QTimer *> timers = link.findChildren<QTimer *>();
        QCOMPARE(timers.size(), 3);
        for (const QTimer *timer : timers)
            QCOMPARE(timer->timerType(), Qt::PreciseTimer);
        QStringList events;
        connect(&link, &LinkEngine::attemptStarted, this, [&](int attempt) { events << QString::number(attempt); });
        connect(&link, &LinkEngine::identified, this, [&] { events << QStringLiteral("identified"); });
        link.start();
        QVERIFY(waitUntil([&] { return events.contains(QStringLiteral("identified")); }, 3000));
        QCOMPARE(events, (QStringList{"1", "identified"}));
        // The power values of the identification.
        if (LinkKind(kind) == LinkKind::Power)
            QCOMPARE(link.codeplug().toByteArray().mid(255 * RowBytes, 2), QByteArray("\x28\x50"));
        link.cancel();
    }
};

QTEST_GUILESS_MAIN(TestLinkEngine)
#include "tst_link_engine.moc"
