#pragma once
#include "core/Language.h"
#include "serial/PortSpec.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class PortDirectory;
class SerialPort;

// The bytes a link exchanges with the radio. The engine talks only to this,
// so that it can run against a serial port or against anything else that
// produces the radio's bytes.
class LinkPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // False with the system's reason when the port cannot be opened.
    virtual bool open(QString &reason) = 0;
    // Bytes not yet written go out before the port closes.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual int inputCount() const = 0;
    virtual void discardInput() = 0;
    virtual void discardOutput() = 0;
    // Hands the bytes to the system at once.
    virtual void write(const quint8 *bytes, int count) = 0;
    void writeByte(quint8 value) { write(&value, 1); }
    virtual QByteArray read(int count) = 0;

signals:
    // New bytes are waiting.
    void bytesReceived();
    // The device failed while open; the port is already closed.
    void deviceLost();
};

// A link port on a serial device at 9600 8N1.
class SerialLinkPort : public LinkPort {
    Q_OBJECT
public:
    explicit SerialLinkPort(QObject *parent = nullptr);

    // The port the next open() opens, a number as `directory` maps it.
    void setPort(const PortSpec &spec, PortDirectory &directory);
    // The language of the reason open() gives.
    void setLanguage(Language language) { m_language = language; }

    bool open(QString &reason) override;
    void close() override;
    bool isOpen() const override;
    int inputCount() const override;
    void discardInput() override;
    void discardOutput() override;
    void write(const quint8 *bytes, int count) override;
    QByteArray read(int count) override;

private:
    SerialPort *const m_port;
    Language m_language = Language::English;
};

// A link port held open across several links of one radio, such as the
// read, the write and the read-back of one change: the links' closings
// leave the device open, and its owner closes it with release() once the
// radio's work is done. Each opening of a device writes a lock file and
// syncs it to disk. Owns `inner`.
class HeldLinkPort : public LinkPort {
    Q_OBJECT
public:
    explicit HeldLinkPort(LinkPort *inner, QObject *parent = nullptr);

    // Closes the device.
    void release() { m_inner->close(); }

    // A link opens it only while it is closed: before its first step, or
    // after the device was lost.
    bool open(QString &reason) override { return m_inner->open(reason); }
    // Leaves the device open for the next link.
    void close() override {}
    bool isOpen() const override { return m_inner->isOpen(); }
    int inputCount() const override { return m_inner->inputCount(); }
    void discardInput() override { m_inner->discardInput(); }
    void discardOutput() override { m_inner->discardOutput(); }
    void write(const quint8 *bytes, int count) override { m_inner->write(bytes, count); }
    QByteArray read(int count) override { return m_inner->read(count); }

private:
    LinkPort *const m_inner;
};
