#pragma once
#include <QList>
#include <QObject>

#include <csignal>
#include <initializer_list>

class QSocketNotifier;

// Carries POSIX signals into the event loop. The handler only writes the
// signal's number into a socket pair, since nothing else is safe inside a
// handler; `arrived` is emitted from the event loop, where timers, ports and
// files can be dealt with. One pipe holds the signals at a time in a
// process: another made while it lives takes none (isActive() is false).
// Its end gives the signals back their earlier handling.
class SignalPipe : public QObject {
    Q_OBJECT
public:
    SignalPipe(std::initializer_list<int> signalNumbers, QObject *parent = nullptr);
    ~SignalPipe() override;
    bool isActive() const { return m_notifier != nullptr; }

signals:
    void arrived(int signalNumber);

private:
    void onReadable();

    QSocketNotifier *m_notifier = nullptr;
    struct Previous {
        int signalNumber;
        struct sigaction action;
    };
    QList<Previous> m_previous;
};
