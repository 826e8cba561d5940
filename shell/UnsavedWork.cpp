#include "shell/UnsavedWork.h"

#include "core/ChannelFile.h"
#include "core/SignalPipe.h"
#include "platform/WindowLanguage.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSessionManager>

#include <csignal>

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
    // One main window at a time holds SIGTERM; the pipe gives it back when
    // its window goes.
    auto *termination = new SignalPipe({SIGTERM}, this);
    connect(termination, &SignalPipe::arrived, this, [this] { emit ending(true); });
}

#include "moc_UnsavedWork.cpp"
