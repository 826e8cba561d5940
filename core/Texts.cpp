#include "core/Texts.h"

#include "core/ModuleState.h"

QString langText(const char *chinese, const char *english)
{
    return QString::fromUtf8(UseChinese ? chinese : english);
}

QString langText(const QString &chinese, const QString &english)
{
    return UseChinese ? chinese : english;
}

QString companyName()
{
    return langText("北港无线电有限公司", "North Harbor Radio Co.");
}
