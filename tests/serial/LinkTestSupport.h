#pragma once
// Timing and event-loop helpers for the headless link tests and, through
// link/LinkFixture.h, for the link windows' tests.
#include "serial/LinkProtocol.h"

#include <QEventLoop>
#include <QTimer>

// Short enough that four attempts take about a second and a half, long
// enough that a busy machine does not look like a silent radio, and with the
// same order of events as the real profile: the power window's close poller
// ticks before the reply watchdog expires and before a restart.
inline LinkTiming scaledTiming()
{
    LinkTiming t;
    t.pacerMs = 2;
    t.frameReplyMs = 300;
    t.byteReplyMs = 600;
    t.restartMs = 150;
    t.readCloseMs = 20;
    t.closeMs = 120;
    return t;
}

// Runs the event loop until `done` holds or the time is up. Unlike
// QTest::qWait, which sleeps between rounds of events, it lets the link's
// millisecond timers fire on time.
template <typename Condition> bool waitUntil(Condition done, int timeoutMs)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start(5);
    if (!done())
        loop.exec();
    return done();
}

inline void runEventsFor(int ms)
{
    waitUntil([] { return false; }, ms);
}
