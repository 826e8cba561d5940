#include "serial/LinkPort.h"

#include "serial/SerialPort.h"

SerialLinkPort::SerialLinkPort(QObject *parent) : LinkPort(parent), m_port(new SerialPort(this))
{
    connect(m_port, &SerialPort::bytesReceived, this, &LinkPort::bytesReceived);
    connect(m_port, &SerialPort::deviceLost, this, &LinkPort::deviceLost);
}

void SerialLinkPort::setPort(const PortSpec &spec, PortDirectory &directory)
{
    m_port->setPort(spec, &directory);
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

HeldLinkPort::HeldLinkPort(LinkPort *inner, QObject *parent) : LinkPort(parent), m_inner(inner)
{
    inner->setParent(this);
    connect(inner, &LinkPort::bytesReceived, this, &LinkPort::bytesReceived);
    connect(inner, &LinkPort::deviceLost, this, &LinkPort::deviceLost);
}

#include "moc_LinkPort.cpp"
