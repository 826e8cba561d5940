// How long the program's event loop goes without turning, seen by a 10 ms
// timer that runs throughout: while each window opens and stays open for
// 2.2 seconds (the port window looks for new devices once a second), while
// the port window sees a simulated radio appear, and during a read, a write
// and the power window's link against the simulated radio pacing both
// directions at the line rate. Prints, per step, the time the opening took
// and the longest gap between two ticks. The goals: the port window opens in
// 30 ms or less, and no gap is longer than 30 ms.
//   bench_responsiveness [window name...]
#include "BenchWindows.h"
#include "link/Form_Adjust_Txp.h"
#include "link/TransferWindow.h"
#include "platform/Messages.h"
#include "platform/WindowRegistry.h"
#include "serial/PortDirectory.h"
#include "shell/MDImain.h"
#include "sim/RadioSimulator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

constexpr double GoalMs = 30;

// The longest time between two ticks of a 10 ms timer since start().
class GapWatch {
public:
    GapWatch()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
    }
    void start()
    {
        m_worst = 0;
        m_clock.start();
        m_timer.start();
    }
    double stop()
    {
        tick();
        m_timer.stop();
        return m_worst;
    }

private:
    void tick()
    {
        m_worst = qMax(m_worst, m_clock.nsecsElapsed() / 1e6);
        m_clock.restart();
    }
    QTimer m_timer;
    QElapsedTimer m_clock;
    double m_worst = 0;
};

// Runs the event loop for `ms`, or until `done` answers true.
void runFor(int ms, const std::function<bool()> &done = {})
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms && !(done && done())) {
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

// Closed windows go at once, as they would at the next turn of the loop.
void closeAndDelete(WindowRegistry &registry, WindowId id)
{
    registry.close(id);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void report(const char *step, double openMs, double gapMs)
{
    std::printf("%-28s open %7.2f ms  longest gap %7.2f ms  %s\n", step, openMs, gapMs,
                gapMs <= GoalMs ? "ok" : "over the goal");
}


// Opens the window with the watch running, keeps it open, closes it.
void openAndKeep(MDImain &main, GapWatch &watch, WindowId id, const char *name)
{
    watch.start();
    runFor(100);
    QElapsedTimer clock;
    clock.start();
    main.registry().reopen(id);
    main.repaint();
    const double openMs = clock.nsecsElapsed() / 1e6;
    runFor(2200);
    report(name, openMs, watch.stop());
    if (id != WindowId::frm_chann)
        closeAndDelete(main.registry(), id);
}

// A simulated radio announces itself while the port window is open: the
// window lists the ports again.
void radioAppears(MDImain &main, GapWatch &watch)
{
    main.registry().reopen(WindowId::Form_setup);
    runFor(300);
    RadioSimulator radio;
    QString error;
    if (!radio.start(&error))
        return;
    watch.start();
    runFor(100);
    const QString link = PortDirectory::announceSimulatedRadio(radio.devicePath(), &error);
    runFor(2200);
    report("Form_setup, a radio appears", 0, watch.stop());
    QFile::remove(link);
    closeAndDelete(main.registry(), WindowId::Form_setup);
}

// A read or write from its button to its end.
void transfer(MDImain &main, GapWatch &watch, WindowId id, const char *button, const char *name)
{
    auto *window = qobject_cast<TransferWindow *>(main.registry().reopen(id));
    bool ended = false;
    QObject::connect(window->link, &LinkEngine::completed, [&] { ended = true; });
    QObject::connect(window->link, &LinkEngine::failed, [&] { ended = true; });
    watch.start();
    window->findChild<QPushButton *>(QString::fromLatin1(button))->click();
    runFor(60000, [&] { return ended; });
    report(name, 0, watch.stop());
    closeAndDelete(main.registry(), id);
}

// The power window links as it opens; each value moved goes to the radio.
void powerLink(MDImain &main, GapWatch &watch)
{
    watch.start();
    auto *window = qobject_cast<Form_Adjust_Txp *>(main.registry().reopen(WindowId::Form_Adjust_Txp));
    runFor(10000, [&] { return window->link->isConnected() && !window->link->isBusy(); });
    for (int value = 10; value <= 50; value += 10) {
        window->HScroll_L->setValue(value);
        runFor(400);
    }
    report("power link", 0, watch.stop());
    closeAndDelete(main.registry(), WindowId::Form_Adjust_Txp);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const QStringList names = QApplication::arguments().mid(1);
    // Simulated radios elsewhere on the machine are not this bench's.
    QTemporaryDir announcements;
    qputenv("KVD9_RADIO_SIM_DIR", QFile::encodeName(announcements.path()));
    MessageRecorder messages;
    MDImain main;
    main.MDIForm_Load();
    runFor(300);
    GapWatch watch;

    watch.start();
    runFor(2200);
    report("main window alone", 0, watch.stop());
    for (const auto &w : benchWindows)
        if (names.isEmpty() || names.contains(QString::fromLatin1(w.name)))
            openAndKeep(main, watch, w.id, w.name);
    if (!names.isEmpty())
        return 0;
    radioAppears(main, watch);

    RadioSimulator radio;
    if (!startRadioAsPort1(radio, main.registry()))
        return 1;
    transfer(main, watch, WindowId::Form_Comm_Read, "Command_read", "read");
    transfer(main, watch, WindowId::Form_Comm_Write, "Command_Write", "write");
    powerLink(main, watch);
    for (const QString &m : messages.texts())
        std::printf("message: %s\n", qPrintable(m));
    return 0;
}
