#include "shell/UnsavedWork.h"

#include "core/ChannelFile.h"
#include "platform/WindowLanguage.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};
struct sigaction previousAction {};

void onTerminate(int)
{
    const char byte = 1;
    // Nothing else is safe inside a signal handler.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

} // namespace

QString recoveryFilePath()
{
    // Qt 6.4 names no state location: the XDG rule, by hand.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::home().filePath(QStringLiteral(".local/state"));
    return QDir(state).filePath(QStringLiteral("kvd9/unsaved.chann"));
}

bool keepRecoveryFile(const Codeplug &image, QString &error)
{
    const QString path = recoveryFilePath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        error = langText("无法建立文件夹 %1", "The folder %1 cannot be made").arg(QFileInfo(path).absolutePath());
        return false;
    }
    return saveChannelFile(path, image, error, windowLanguage());
}

SessionEnd::SessionEnd(QObject *parent) : QObject(parent)
{
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &) { emit ending(false); });
    // One main window at a time holds SIGTERM.
    if (signalPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SessionEnd::onSignal);
    struct sigaction action {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, &previousAction);
}

SessionEnd::~SessionEnd()
{
    if (!m_notifier)
        return;
    sigaction(SIGTERM, &previousAction, nullptr);
    delete m_notifier;
    for (int &end : signalPipe) {
        ::close(end);
        end = -1;
    }
}

void SessionEnd::onSignal()
{
    char byte;
    [[maybe_unused]] const ssize_t got = ::read(m_notifier->socket(), &byte, 1);
    emit ending(true);
}

#include "moc_UnsavedWork.cpp"
