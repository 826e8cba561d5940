// Times full reads and writes against the simulated radio pacing both
// directions at the line rate, and compares them with the bound the protocol
// itself sets: every byte on the wire at 960 bytes a second plus the 15 ms
// pacer before each frame.
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "platform/Messages.h"
#include "platform/SerialPort.h"
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

constexpr double LineRate = 960.0;
constexpr double PacerSeconds = 0.015;
// Wake-up, identification, first request, 255 requests, 256 replies, 256 acknowledgements.
constexpr int ReadBytes = 8 + 9 + 5 + 255 * 4 + 256 * 21 + 256;
constexpr int ReadFrames = 1 + 256;
// Wake-up, identification, first frame, 254 frames, 255 acknowledgements, the E.
constexpr int WriteBytes = 8 + 9 + 21 + 254 * 20 + 255 + 1;
constexpr int WriteFrames = 1 + 255;

double bound(int bytes, int frames)
{
    return bytes / LineRate + frames * PacerSeconds;
}

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
    QString error;
    if (!radio.start(&error)) {
        std::fprintf(stderr, "no pseudo-terminal: %s\n", qPrintable(error));
        return 1;
    }
    radio.setPaced(true);
    SerialPort::mapPortNumber(1, radio.devicePath());

    struct Kind {
        const char *name;
        WindowId id;
        const char *button;
        double bound;
    } kinds[] = {
        {"read", WindowId::Form_Comm_Read, "Command_read", bound(ReadBytes, ReadFrames)},
        {"write", WindowId::Form_Comm_Write, "Command_Write", bound(WriteBytes, WriteFrames)},
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
