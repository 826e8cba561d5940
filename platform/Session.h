#pragma once
#include "core/Language.h"
#include "platform/WindowState.h"
#include "serial/PortSpec.h"

#include <QObject>
#include <QString>

// What the windows of one run share beside the document: the caption
// language, the port the links open with how its last opening went, and
// which child windows are loaded. The main window makes it and the window
// registry hands it to every window, as it does the document. None of it
// is saved: every run starts from Chinese, port 1 and no window loaded.
//
// It holds what the windows have always shared under these names:
// UseChinese is language() == Language::Chinese, CommPortNo is
// port().number, PortError is portFailed(), and a window's open-window
// flag is isWindowOpen(its id), ChannelFileName is channelFileName().
class Session : public QObject {
    Q_OBJECT
public:
    explicit Session(QObject *parent = nullptr);
    ~Session() override;

    // The session of the running windows, as QCoreApplication::instance()
    // is the application: the one made last, until it goes. The helpers
    // windowLanguage() and langText() read its language.
    static Session *current();

    Language language() const { return m_language; }
    void setLanguage(Language language);

    // The port the port window chose; a link keeps the port it opened
    // until it closes it.
    const PortSpec &port() const { return m_port; }
    void setPort(const PortSpec &port);
    // The last attempt of a link window to open its port failed: the port
    // window then stays open once its choice is confirmed.
    bool portFailed() const { return m_portFailed; }
    // Why, told as the link told it; empty while the port did not fail.
    const QString &portFailure() const { return m_portFailure; }
    void setPortFailure(const QString &reason);
    void clearPortFailure();

    // A window's load sets its flag and its unload clears it; the language
    // switch loads anew the windows whose flag is set.
    bool isWindowOpen(WindowId id) const { return m_open[static_cast<int>(id)]; }
    void setWindowOpen(WindowId id, bool open) { m_open[static_cast<int>(id)] = open; }

    // The channel file last loaded or saved (its full path), or the name
    // last chosen in an optional-file window.
    const QString &channelFileName() const { return m_channelFileName; }
    void setChannelFileName(const QString &name) { m_channelFileName = name; }

signals:
    void languageChanged(Language language);
    // The chosen port, or whether its last opening failed, changed.
    void portChanged();

private:
    Language m_language = Language::Chinese;
    PortSpec m_port = PortSpec::ofNumber(1);
    bool m_portFailed = false;
    QString m_portFailure;
    bool m_open[WindowIdCount] = {};
    QString m_channelFileName;
};
