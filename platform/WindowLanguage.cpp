#include "platform/WindowLanguage.h"

bool UseChinese = true;

Language windowLanguage()
{
    return UseChinese ? Language::Chinese : Language::English;
}

QString langText(const char *chinese, const char *english)
{
    return langText(windowLanguage(), chinese, english);
}

QString langText(const QString &chinese, const QString &english)
{
    return langText(windowLanguage(), chinese, english);
}
