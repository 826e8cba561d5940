#include "platform/WindowLanguage.h"

#include "platform/Session.h"

Language windowLanguage()
{
    // Chinese, as every run starts, while no session runs.
    const Session *session = Session::current();
    return session ? session->language() : Language::Chinese;
}

QString langText(const char *chinese, const char *english)
{
    return langText(windowLanguage(), chinese, english);
}

QString langText(const QString &chinese, const QString &english)
{
    return langText(windowLanguage(), chinese, english);
}
