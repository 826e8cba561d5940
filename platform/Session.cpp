#include "platform/Session.h"

namespace {
Session *currentSession = nullptr;
}

Session::Session(QObject *parent) : QObject(parent)
{
    currentSession = this;
}

Session::~Session()
{
    if (currentSession == this)
        currentSession = nullptr;
}

Session *Session::current()
{
    return currentSession;
}

void Session::setLanguage(Language language)
{
    if (m_language == language)
        return;
    m_language = language;
    emit languageChanged(language);
}

void Session::setPort(const PortSpec &port)
{
    if (m_port.number == port.number && m_port.device == port.device)
        return;
    m_port = port;
    emit portChanged();
}

void Session::setPortFailure(const QString &reason)
{
    m_portFailed = true;
    m_portFailure = reason;
    emit portChanged();
}

void Session::clearPortFailure()
{
    if (!m_portFailed)
        return;
    m_portFailed = false;
    m_portFailure.clear();
    emit portChanged();
}

#include "moc_Session.cpp"
