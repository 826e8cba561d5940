// libFuzzer target for the bytes a radio sends: the input is what arrives on
// the port during a read, write or power link, delivered in pieces by a port
// that needs no device. The link must never touch the shared image, a write
// must send its codeplug unchanged, a power link may change only the two
// power values it reports, and a read changes its codeplug only when it
// completes.
//   build-fuzz/fuzz/fuzz_link -runs=1000000
#include "core/Codeplug.h"
#include "serial/LinkEngine.h"

#include <QCoreApplication>
#include <QTimer>

namespace {

// Hands the input to the link piece by piece, one piece per turn of the
// event loop; once the input is used up the device is gone.
class FuzzPort : public LinkPort {
public:
    FuzzPort(const quint8 *data, size_t size) : m_data(data), m_size(size) {}

    bool open(QString &reason) override
    {
        if (m_at >= m_size) {
            reason = QStringLiteral("no more input");
            return false;
        }
        m_open = true;
        return true;
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    int inputCount() const override { return m_open ? int(m_input.size()) : 0; }
    void discardInput() override { m_input.clear(); }
    void discardOutput() override {}
    void write(const quint8 *, int) override {}
    QByteArray read(int count) override
    {
        const QByteArray bytes = m_input.left(count);
        m_input.remove(0, bytes.size());
        return bytes;
    }
    bool exhausted() const { return m_at >= m_size; }

    // The next piece: a length byte, then up to that many bytes.
    void deliver()
    {
        if (m_at >= m_size) {
            if (m_open) {
                m_open = false;
                emit deviceLost();
            }
            return;
        }
        const size_t wanted = m_data[m_at] % 32;
        ++m_at;
        const size_t length = qMin(wanted, m_size - m_at);
        if (!m_open) {
            m_at += length;
            return;
        }
        m_input.append(reinterpret_cast<const char *>(m_data + m_at), qsizetype(length));
        m_at += length;
        emit bytesReceived();
    }

private:
    const quint8 *m_data;
    size_t m_size;
    size_t m_at = 0;
    bool m_open = false;
    QByteArray m_input;
};

Codeplug patterned()
{
    Codeplug image;
    for (int a = 0; a < Codeplug::Size; ++a)
        image.at(a / RowBytes, a % RowBytes) = quint8(a * 7 + 3);
    return image;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const quint8 *data, size_t size)
{
    if (size < 1)
        return 0;
    const LinkKind kind = LinkKind(data[0] % 3);

    LinkTiming timing;
    timing.pacerMs = 0;
    timing.restartMs = 0;
    timing.frameReplyMs = 60000; // only the end of the input ends a link
    timing.byteReplyMs = 60000;
    auto *port = new FuzzPort(data + 1, size - 1);
    LinkEngine link(kind, timing, port);
    port->setParent(&link);
    const Codeplug original = patterned();
    link.setCodeplug(original);
    bool ended = false;
    bool completed = false;
    QObject::connect(&link, &LinkEngine::completed, [&] { completed = ended = true; });
    QObject::connect(&link, &LinkEngine::failed, [&] { ended = true; });
    QObject::connect(&link, &LinkEngine::openFailed, [&] { ended = true; });
    bool pausing = false; // a restart is due
    QObject::connect(&link, &LinkEngine::restartPauseStarted, [&] { pausing = true; });
    QObject::connect(&link, &LinkEngine::attemptStarted, [&] { pausing = false; });
    link.start();
    for (int turn = 0; turn < 100000 && !ended; ++turn) {
        port->deliver();
        QCoreApplication::processEvents();
        if (port->exhausted() && !port->isOpen() && !link.isBusy() && !pausing)
            break;
    }
    link.cancel();

    for (int r = 0; r < RadioRows; ++r)
        for (int c = 0; c < RowBytes; ++c) {
            const bool mayChange = (kind == LinkKind::Read && completed)
                || (kind == LinkKind::Power && r == Region::PowerRow && c < 2);
            if (!mayChange && link.codeplug().at(r, c) != original.at(r, c))
                __builtin_trap();
        }
    return 0;
}
