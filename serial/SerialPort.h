#pragma once
#include "core/Language.h"
#include "serial/PortSpec.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class PortDirectory;
class QSerialPort;

// The serial port of one link: the device of a port, opened at 9600 8N1.
class SerialPort : public QObject {
    Q_OBJECT
public:
    explicit SerialPort(QObject *parent = nullptr);
    ~SerialPort() override;

    // The port the next open() opens; `directory` tells the device of a
    // port number and keeps why an opening failed. Without a directory only
    // a port named by its path opens.
    void setPort(const PortSpec &spec, PortDirectory *directory)
    {
        m_spec = spec;
        m_directory = directory;
    }

    // Opens at 9600 baud, 8 data bits, no parity, 1 stop bit, without
    // handshaking; false when the device is missing or refuses, with the
    // reason in `language`.
    bool open(Language language);
    // Why the last open() failed.
    QString openError() const { return m_openError; }
    // Bytes not yet written go out before the port closes.
    void close();
    bool isOpen() const;

    int inputCount() const;
    void discardInput();
    void discardOutput();
    // Hands the bytes to the system at once.
    void write(const char *bytes, int count);
    QByteArray read(int count);

signals:
    // New bytes are waiting.
    void bytesReceived();
    // The device failed while open, for example because it vanished; the
    // port is already closed.
    void deviceLost();

private:
    void onError(int error);

    QSerialPort *m_port;
    PortSpec m_spec = PortSpec::ofNumber(1);
    PortDirectory *m_directory = nullptr;
    QString m_openError;
    bool m_ignoreErrors = false;
    int m_openings = 0; // tells a failure of an earlier opening from the current one
};
