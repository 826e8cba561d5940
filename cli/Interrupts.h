#pragma once
#include <QObject>

class SignalPipe;

// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal, one for each, so that
// the links end from the event loop: timers stopped, ports closed, nothing
// half-saved. SIGPIPE is ignored: after a hang-up the error stream may be
// gone, and writing to it must not end the program in the middle of a write.
class Interrupts : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; the program does this once at its start.
    static void install();
    // The process-wide instance, or null when the handlers are not installed.
    static Interrupts *instance();
    bool happened() const { return m_signal != 0; }
    // SIGINT, SIGTERM or SIGHUP, whichever came last; 0 before any.
    int lastSignal() const { return m_signal; }
    // Once the program has cleaned up after a signal, it ends by that signal
    // under its default handling, so that a calling shell knows the child
    // was interrupted and stops its loop too (as sleep, make and git do).
    // Returns only when no signal came.
    void endBySignal();
    // Forgets past signals, for a process that runs one command after
    // another (the tests).
    void clear() { m_signal = 0; }

signals:
    void interrupted();

private:
    explicit Interrupts(SignalPipe *pipe);

    int m_signal = 0;
};
