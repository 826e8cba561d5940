#include "serial/LinkPort.h"

#include "serial/SerialPort.h"

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

SerialLinkPort::SerialLinkPort(QObject *parent) : LinkPort(parent), m_port(new SerialPort(this))
{
    connect(m_port, &SerialPort::bytesReceived, this, &LinkPort::bytesReceived);
    connect(m_port, &SerialPort::deviceLost, this, &LinkPort::deviceLost);
}

void SerialLinkPort::setPort(const PortSpec &spec)
{
    m_port->setPortNumber(spec.number);
    m_port->setDevicePath(spec.device);
}

bool SerialLinkPort::open(QString &reason)
{
    if (m_port->open(m_language))
        return true;
    reason = m_port->openError();
    return false;
}

void SerialLinkPort::close() { m_port->close(); }
bool SerialLinkPort::isOpen() const { return m_port->isOpen(); }
int SerialLinkPort::inputCount() const { return m_port->inputCount(); }
void SerialLinkPort::discardInput() { m_port->discardInput(); }
void SerialLinkPort::discardOutput() { m_port->discardOutput(); }
void SerialLinkPort::write(const quint8 *bytes, int count)
{
    m_port->write(reinterpret_cast<const char *>(bytes), count);
}
QByteArray SerialLinkPort::read(int count) { return m_port->read(count); }
