#include "cli/LinkTrace.h"

#include "cli/OutputPath.h"
#include "core/Texts.h"
#include "serial/LinkProtocol.h"
#include "serial/TrafficText.h"

#include <cerrno>
#include <unistd.h>

using namespace Protocol;

namespace {

// What the program took from the radio, named as the radio names its
// replies; a block reply by the address the program requested, as the
// reply's own header is left unexamined.
QString describeReply(const QByteArray &bytes, int requestedAddress)
{
    const QString hex = trafficHex(bytes);
    if (bytes.size() == IdentLength)
        return QStringLiteral("identification: ") + hex;
    if (bytes.size() == BlockReplyLength)
        return QStringLiteral("block %1: %2").arg(trafficAddress(requestedAddress), hex);
    if (bytes == QByteArray(1, char(Ack)))
        return QStringLiteral("ACK: ") + hex;
    return QStringLiteral("stray byte ") + hex;
}

} // namespace

bool LinkTrace::open(const QString &path, QString &error, Language language)
{
    // "-" is standard error, beside the progress; a path naming one of the
    // program's own streams is written to as that stream, never truncated.
    // A terminal or a pipe cannot seek, so the stream is taken where it
    // stands (no Append, which seeks); whoever opened it chose where that is.
    const int stream = path == QLatin1String("-") ? STDERR_FILENO : standardStreamOf(path);
    errno = 0;
    bool opened = false;
    if (stream != 0) {
        opened = m_file.open(stream, QIODevice::WriteOnly | QIODevice::Text);
    } else {
        m_file.setFileName(path);
        opened = m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
    }
    if (!opened) {
        // The system's reason, which Qt gives only in part.
        error = path + QStringLiteral(": ") + langText(language, "无法写入跟踪文件：", "cannot write the trace: ")
            + (errno != 0 ? systemErrorText(errno, language) : m_file.errorString());
        return false;
    }
    m_stream.setDevice(&m_file);
    m_clock.start();
    return true;
}

void LinkTrace::line(const QString &port, const QString &text)
{
    // Flushed line by line, so that a trace cut short still holds what
    // happened until then.
    m_stream << QString::number(m_clock.nsecsElapsed() / 1e9, 'f', 6).rightJustified(10) << ' ' << port << ' '
             << text << Qt::endl;
}

TracingLinkPort::TracingLinkPort(LinkPort *inner, LinkTrace &trace, const QString &portName, QObject *parent)
    : LinkPort(parent), m_inner(inner), m_trace(trace), m_name(portName)
{
    m_inner->setParent(this);
    connect(m_inner, &LinkPort::bytesReceived, this, &LinkPort::bytesReceived);
    connect(m_inner, &LinkPort::deviceLost, this, [this] {
        log(QStringLiteral("device lost"));
        emit deviceLost();
    });
}

bool TracingLinkPort::open(QString &reason)
{
    const bool opened = m_inner->open(reason);
    log(opened ? QStringLiteral("port opened") : QStringLiteral("cannot open the port: ") + reason);
    return opened;
}

void TracingLinkPort::close()
{
    if (m_inner->isOpen())
        log(QStringLiteral("port closed"));
    m_inner->close();
}

bool TracingLinkPort::isOpen() const { return m_inner->isOpen(); }
int TracingLinkPort::inputCount() const { return m_inner->inputCount(); }
void TracingLinkPort::discardOutput() { m_inner->discardOutput(); }

void TracingLinkPort::discardInput()
{
    const QByteArray dropped = m_inner->read(m_inner->inputCount());
    if (!dropped.isEmpty())
        log(QStringLiteral("<- discarded: ") + trafficHex(dropped));
    m_inner->discardInput();
}

void TracingLinkPort::write(const quint8 *bytes, int count)
{
    // The program hands each frame over whole, the first one of a link
    // behind an acknowledgement: named frame by frame as the radio parses
    // them. Nothing goes out through a closed port.
    const QByteArray data(reinterpret_cast<const char *>(bytes), m_inner->isOpen() ? count : 0);
    for (int at = 0; at < data.size();) {
        const int length = qMin(programFrameLength(data.at(at)), int(data.size()) - at);
        const QByteArray frame = data.mid(at, length);
        if (quint8(frame.at(0)) == ReadCommand && length == ReadRequestLength)
            m_requestedAddress = (quint8(frame.at(1)) << 8) | quint8(frame.at(2));
        log(QStringLiteral("-> ") + describeProgramFrame(frame));
        at += length;
    }
    m_inner->write(bytes, count);
}

QByteArray TracingLinkPort::read(int count)
{
    const QByteArray bytes = m_inner->read(count);
    if (!bytes.isEmpty())
        log(QStringLiteral("<- ") + describeReply(bytes, m_requestedAddress));
    return bytes;
}

#include "moc_LinkTrace.cpp"
