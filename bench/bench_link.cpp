// Times the windows' full reads and writes against the simulated radio
// pacing both directions at the line rate, and compares them with the
// protocol's bound.
#include "BenchWindows.h"
#include "LinkBounds.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "platform/Messages.h"
#include "serial/PortDirectory.h"
#include "platform/WindowRegistry.h"
#include "shell/MDImain.h"
#include "sim/RadioSimulator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

namespace {

// Seconds from the button press to the completion of the transfer, or -1.
double timeTransfer(WindowRegistry &registry, WindowId id, const char *button)
{
    auto *window = qobject_cast<TransferWindow *>(registry.reopen(id));
    QEventLoop loop;
    bool completed = false;
    QObject::connect(window->link, &LinkEngine::completed, &loop, [&] {
        completed = true;
        loop.quit();
    });
    QObject::connect(window->link, &LinkEngine::failed, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    window->findChild<QPushButton *>(QString::fromLatin1(button))->click();
    loop.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    registry.close(id);
    return completed ? seconds : -1.0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 3;

    MessageRecorder messages;
    MDImain main;
    main.MDIForm_Load();
    RadioSimulator radio;
    if (!startRadioAsPort1(radio, main.registry()))
        return 1;

    struct Kind {
        const char *name;
        WindowId id;
        const char *button;
        double bound;
    } kinds[] = {
        {"read", WindowId::Form_Comm_Read, "Command_read", LinkBounds::Read},
        {"write", WindowId::Form_Comm_Write, "Command_Write", LinkBounds::Write},
    };
    std::printf("transfer  run  seconds  bound    ratio\n");
    bool ok = true;
    for (const Kind &k : kinds) {
        double sum = 0;
        for (int run = 1; run <= runs; ++run) {
            const double s = timeTransfer(main.registry(), k.id, k.button);
            if (s < 0) {
                std::printf("%-8s  %3d  failed\n", k.name, run);
                ok = false;
                continue;
            }
            sum += s;
            std::printf("%-8s  %3d  %7.3f  %6.3f  %6.4f\n", k.name, run, s, k.bound, s / k.bound);
        }
        std::printf("%-8s  mean %7.3f  %6.3f  %6.4f\n", k.name, sum / runs, k.bound, sum / runs / k.bound);
    }
    for (const QString &m : messages.texts())
        std::printf("message: %s\n", qPrintable(m));
    return ok ? 0 : 1;
}
