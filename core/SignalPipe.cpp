#include "core/SignalPipe.h"

#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>

namespace {

// The handler can reach nothing but this.
int signalPipe[2] = {-1, -1};

void writeSignalNumber(int number)
{
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

} // namespace

SignalPipe::SignalPipe(std::initializer_list<int> signalNumbers, QObject *parent) : QObject(parent)
{
    if (signalPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalPipe::onReadable);
    struct sigaction action {};
    action.sa_handler = writeSignalNumber;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : signalNumbers) {
        Previous previous {number, {}};
        sigaction(number, &action, &previous.action);
        m_previous.append(previous);
    }
}

SignalPipe::~SignalPipe()
{
    if (!m_notifier)
        return;
    for (const Previous &previous : m_previous)
        sigaction(previous.signalNumber, &previous.action, nullptr);
    delete m_notifier;
    for (int &end : signalPipe) {
        ::close(end);
        end = -1;
    }
}

void SignalPipe::onReadable()
{
    char byte;
    if (::read(m_notifier->socket(), &byte, 1) == 1)
        emit arrived(byte);
}

#include "moc_SignalPipe.cpp"
