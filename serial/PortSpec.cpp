#include "serial/PortSpec.h"

#include <QRegularExpression>

bool PortSpec::parse(const QString &text, PortSpec &spec)
{
    static const QRegularExpression numbered(QStringLiteral("^(?:COM)?([1-8])$"),
                                             QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = numbered.match(text.trimmed());
    if (match.hasMatch()) {
        spec = ofNumber(match.captured(1).toInt());
        return true;
    }
    if (text.startsWith(QLatin1Char('/'))) {
        spec = PortSpec{0, text};
        return true;
    }
    return false;
}

QString PortSpec::name() const
{
    return device.isEmpty() ? QStringLiteral("COM%1").arg(number) : device;
}
