// Start-up time: from process start to the main window shown with the
// default image built and its first frame painted. Prints the time in ms
// measured inside the process; bench/run_startup.sh adds the whole-process
// view with hyperfine and the peak memory with /usr/bin/time.
//
// With "--windows [name...]" it then opens each child window (or the named
// ones) as its menu does (the open instance closed, a fresh one loaded,
// shown and painted) and prints the median and worst time of each over 30
// openings.
#include "bench/BenchTiming.h"
#include "bench/BenchWindows.h"
#include "platform/Messages.h"
#include "platform/WindowRegistry.h"
#include "shell/MDImain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>

// Milliseconds since this process was started by the kernel.
static double msSinceProcessStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string field;
    for (int i = 0; i < 22 && stat >> field; ++i) {
    }
    const double startTicks = std::stod(field);
    std::ifstream uptimeFile("/proc/uptime");
    double uptime = 0;
    uptimeFile >> uptime;
    return (uptime - startTicks / sysconf(_SC_CLK_TCK)) * 1000.0;
}

static void timeWindowOpenings(MDImain &main, const QStringList &names)
{
    MessageRecorder messages;
    for (const auto &w : benchWindows) {
        if (!names.isEmpty() && !names.contains(QString::fromLatin1(w.name)))
            continue;
        const Figures f = measure(30, [&] {
            main.registry().reopen(w.id);
            main.repaint();
            QApplication::processEvents();
            // processEvents() leaves deferred deletes alone: without this
            // every closed instance would live on, and the port windows
            // among them would keep looking for devices.
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        });
        std::printf("open_ms %-18s median %.2f worst %.2f\n", w.name, f.median, f.worst);
        // The grid stays open, as after start-up.
        if (w.id != WindowId::frm_chann) {
            main.registry().close(w.id);
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool openWindows = argc > 1 && std::strcmp(argv[1], "--windows") == 0;
    const QStringList names = QApplication::arguments().mid(2);
    MDImain mainWindow;
    mainWindow.MDIForm_Load();
    // The first pass of the event loop paints the shown window.
    QTimer::singleShot(0, &app, [&] {
        std::printf("startup_ms %.1f\n", msSinceProcessStart());
        if (openWindows)
            timeWindowOpenings(mainWindow, names);
        QApplication::quit();
    });
    return app.exec();
}
