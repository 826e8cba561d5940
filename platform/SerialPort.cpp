#include "platform/SerialPort.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <algorithm>

namespace {

QMap<int, QString> &mappedDevices()
{
    static QMap<int, QString> devices;
    return devices;
}

bool isUsbAdapter(const QSerialPortInfo &info)
{
    return info.hasVendorIdentifier() || info.portName().contains(QLatin1String("USB"))
        || info.portName().contains(QLatin1String("ACM"));
}

} // namespace

SerialPort::SerialPort(QObject *parent) : QObject(parent), m_port(new QSerialPort(this))
{
    connect(m_port, &QSerialPort::readyRead, this, &SerialPort::bytesReceived);
    connect(m_port, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError error) { onError(error); });
}

SerialPort::~SerialPort() = default;

QString SerialPort::deviceFor(int portNumber)
{
    const auto mapped = mappedDevices().constFind(portNumber);
    if (mapped != mappedDevices().constEnd())
        return *mapped;
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(portNumber);
#else
    QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    std::stable_sort(ports.begin(), ports.end(),
                     [](const QSerialPortInfo &a, const QSerialPortInfo &b) {
                         if (isUsbAdapter(a) != isUsbAdapter(b))
                             return isUsbAdapter(a);
                         return a.portName() < b.portName();
                     });
    QStringList devices;
    for (const QSerialPortInfo &port : ports)
        devices << port.systemLocation();
    // Simulated radios come after the real ports; the system does not list
    // pseudo-terminals.
    const QDir temp = QDir::temp();
    for (const QFileInfo &link : temp.entryInfoList({simulatedRadioPattern()}, QDir::System | QDir::Files,
                                                    QDir::Name))
        if (link.isSymLink() && link.exists())
            devices << link.symLinkTarget();
    if (portNumber < 1 || portNumber > devices.size())
        return QString();
    return devices.at(portNumber - 1);
#endif
}

QString SerialPort::simulatedRadioPattern()
{
    return QStringLiteral("kvd9-radio-sim-*");
}

void SerialPort::mapPortNumber(int portNumber, const QString &device)
{
    if (device.isEmpty())
        mappedDevices().remove(portNumber);
    else
        mappedDevices().insert(portNumber, device);
}

bool SerialPort::open()
{
    const QString device = m_devicePath.isEmpty() ? deviceFor(m_portNumber) : m_devicePath;
    if (device.isEmpty()) {
        m_openError = QStringLiteral("no serial port has number %1").arg(m_portNumber);
        return false;
    }
    m_port->setPortName(device);
    m_port->setReadBufferSize(1024);
    ++m_openings;
    if (!m_port->open(QIODevice::ReadWrite)) {
        m_openError = m_port->errorString();
        return false;
    }
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

void SerialPort::writeByte(quint8 value)
{
    if (!m_port->isOpen())
        return;
    const char byte = char(value);
    m_port->write(&byte, 1);
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
