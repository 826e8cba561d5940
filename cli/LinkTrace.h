#pragma once
#include "serial/LinkPort.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

// The traffic of every link of one command in one file, a line per frame as
// it crosses: "<seconds since the trace opened> <port> <arrow> <what>", in the
// simulated radio's words but with the arrows seen from the program: "->"
// what it sent, "<-" what it took from the radio. Events of the port itself
// (opened, closed, lost) have no arrow.
class LinkTrace {
public:
    // False with a message naming the file when it cannot be opened.
    bool open(const QString &path, QString &error, Language language);
    void line(const QString &port, const QString &text);

private:
    QFile m_file;
    QTextStream m_stream;
    QElapsedTimer m_clock;
};

// A link port that passes everything on to `inner`, which it owns, and
// writes what crosses it to the trace.
class TracingLinkPort : public LinkPort {
    Q_OBJECT
public:
    TracingLinkPort(LinkPort *inner, LinkTrace &trace, const QString &portName, QObject *parent = nullptr);

    bool open(QString &reason) override;
    void close() override;
    bool isOpen() const override;
    int inputCount() const override;
    void discardInput() override;
    void discardOutput() override;
    void write(const quint8 *bytes, int count) override;
    QByteArray read(int count) override;

private:
    void log(const QString &text) { m_trace.line(m_name, text); }

    LinkPort *const m_inner;
    LinkTrace &m_trace;
    const QString m_name;
    // The address of the last read request sent: its reply is that block.
    int m_requestedAddress = 0;
};
