#include "cli/Interrupts.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};
Interrupts *installed = nullptr;

void onSignal(int number)
{
    const char byte = char(number);
    // Nothing else is safe inside a signal handler.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

} // namespace

void Interrupts::install()
{
    if (installed || ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    installed = new Interrupts(signalPipe[0]);
    struct sigaction action {};
    action.sa_handler = ::onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

Interrupts *Interrupts::instance()
{
    return installed;
}

Interrupts::Interrupts(int readEnd) : m_notifier(new QSocketNotifier(readEnd, QSocketNotifier::Read, this))
{
    connect(m_notifier, &QSocketNotifier::activated, this, &Interrupts::onSignal);
}

void Interrupts::onSignal()
{
    char byte;
    [[maybe_unused]] const ssize_t got = ::read(m_notifier->socket(), &byte, 1);
    m_signal = byte;
    emit interrupted();
}

void Interrupts::endBySignal()
{
    // A signal that came while no event loop ran is still in the pipe.
    QCoreApplication::processEvents();
    if (m_signal == 0)
        return;
    std::signal(m_signal, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, m_signal);
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
    std::raise(m_signal);
}

#include "moc_Interrupts.cpp"
