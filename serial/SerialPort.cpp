#include "serial/SerialPort.h"

#include "core/Texts.h"
#include "serial/PortDirectory.h"

#include <QSerialPort>

SerialPort::SerialPort(QObject *parent) : QObject(parent), m_port(new QSerialPort(this))
{
    connect(m_port, &QSerialPort::readyRead, this, &SerialPort::bytesReceived);
    connect(m_port, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError error) { onError(error); });
}

SerialPort::~SerialPort() = default;

bool SerialPort::open(Language language)
{
    const QString device = m_directory ? m_directory->deviceFor(m_spec) : m_spec.device;
    if (device.isEmpty()) {
        m_openError = langText(language, "没有编号为 %1 的串口", "no serial port has number %1").arg(m_spec.number);
        return false;
    }
    m_port->setPortName(device);
    m_port->setReadBufferSize(1024);
    ++m_openings;
    if (!m_port->open(QIODevice::ReadWrite)) {
        const OpenFailure failure{int(m_port->error()), m_port->errorString()};
        if (m_directory)
            m_directory->recordOpenFailure(device, failure);
        m_openError = PortDirectory::describeOpenFailure(device, failure, language);
        return false;
    }
    if (m_directory)
        m_directory->forgetOpenFailure(device);
    const bool configured = m_port->setBaudRate(QSerialPort::Baud9600)
        && m_port->setDataBits(QSerialPort::Data8) && m_port->setParity(QSerialPort::NoParity)
        && m_port->setStopBits(QSerialPort::OneStop)
        && m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        m_openError = m_port->errorString();
        m_port->close();
        return false;
    }
    // Cables that draw power from the modem lines want them raised; a
    // pseudo-terminal has none, and its complaint is no failure.
    m_ignoreErrors = true;
    m_port->setDataTerminalReady(true);
    m_port->setRequestToSend(true);
    m_ignoreErrors = false;
    m_port->clearError();
    return true;
}

void SerialPort::close()
{
    if (!m_port->isOpen())
        return;
    ++m_openings;
    m_port->flush();
    m_port->close();
}

bool SerialPort::isOpen() const
{
    return m_port->isOpen();
}

int SerialPort::inputCount() const
{
    return m_port->isOpen() ? int(m_port->bytesAvailable()) : 0;
}

void SerialPort::discardInput()
{
    if (!m_port->isOpen())
        return;
    // Bytes the system holds but Qt has not fetched yet are dropped as well.
    m_port->readAll();
    m_port->clear(QSerialPort::Input);
}

void SerialPort::discardOutput()
{
    if (m_port->isOpen())
        m_port->clear(QSerialPort::Output);
}

void SerialPort::write(const char *bytes, int count)
{
    if (!m_port->isOpen())
        return;
    m_port->write(bytes, count);
    m_port->flush();
}

QByteArray SerialPort::read(int count)
{
    return m_port->isOpen() ? m_port->read(count) : QByteArray();
}

void SerialPort::onError(int error)
{
    if (m_ignoreErrors)
        return;
    switch (error) {
    case QSerialPort::NoError:
    case QSerialPort::TimeoutError:
    case QSerialPort::UnsupportedOperationError:
    case QSerialPort::OpenError:
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError:
        // Failed opens are reported by open(); calls a device cannot honour
        // (modem lines of a pseudo-terminal) do no harm.
        return;
    default:
        break;
    }
    m_port->clearError();
    // Closing from inside the port's own signal is not safe; the port is
    // useless from here on, so it closes as soon as control returns, unless
    // its owner closed or reopened it meanwhile.
    const int opening = m_openings;
    QMetaObject::invokeMethod(this, [this, opening] {
        if (opening != m_openings)
            return;
        if (m_port->isOpen())
            m_port->close();
        emit deviceLost();
    }, Qt::QueuedConnection);
}

#include "moc_SerialPort.cpp"
