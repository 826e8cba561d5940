#pragma once
#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a Qt signal, one for each, so that the links
// end from the event loop: timers stopped, ports closed, nothing half-saved.
class Interrupts : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; the program does this once at its start.
    static void install();
    // The process-wide instance, or null when the handlers are not installed.
    static Interrupts *instance();
    bool happened() const { return m_signal != 0; }
    // SIGINT or SIGTERM, whichever came last; 0 before any.
    int lastSignal() const { return m_signal; }
    // Forgets past signals, for a process that runs one command after
    // another (the tests).
    void clear() { m_signal = 0; }

signals:
    void interrupted();

private:
    explicit Interrupts(int readEnd);
    void onSignal();

    QSocketNotifier *m_notifier;
    int m_signal = 0;
};
