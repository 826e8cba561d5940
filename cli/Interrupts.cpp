#include "cli/Interrupts.h"

#include "core/SignalPipe.h"

#include <QCoreApplication>

#include <csignal>

namespace {

Interrupts *installed = nullptr;

} // namespace

void Interrupts::install()
{
    if (installed)
        return;
    auto *pipe = new SignalPipe({SIGINT, SIGTERM, SIGHUP});
    if (!pipe->isActive()) {
        delete pipe;
        return;
    }
    installed = new Interrupts(pipe);
    std::signal(SIGPIPE, SIG_IGN);
}

Interrupts *Interrupts::instance()
{
    return installed;
}

Interrupts::Interrupts(SignalPipe *pipe)
{
    pipe->setParent(this);
    connect(pipe, &SignalPipe::arrived, this, [this](int signalNumber) {
        m_signal = signalNumber;
        emit interrupted();
    });
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
