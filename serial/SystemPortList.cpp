// The system's serial ports, listed as QSerialPortInfo::availablePorts()
// lists them through udev, but asking udev only about the ttys that can be
// serial ports. Qt asks udev about every tty of the system, and udev
// resolving each of some 70 virtual consoles costs most of a listing; the
// same answer for the few ttys that matter costs a millisecond.
#include "serial/SystemPortList.h"

#include "serial/PortDirectory.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QSerialPortInfo>
#include <algorithm>

#include <fcntl.h>
#include <unistd.h>
#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

struct udev;
struct udev_device;

namespace {

// The few calls of the system's udev library that a listing needs, taken
// from the library Qt itself uses; the development headers are not needed.
struct UdevCalls {
    udev *(*newContext)() = nullptr;
    udev *(*unrefContext)(udev *) = nullptr;
    udev_device *(*deviceAt)(udev *, const char *syspath) = nullptr;
    udev_device *(*unrefDevice)(udev_device *) = nullptr;
    udev_device *(*parent)(udev_device *) = nullptr;
    const char *(*devnode)(udev_device *) = nullptr;
    const char *(*sysname)(udev_device *) = nullptr;
    const char *(*driver)(udev_device *) = nullptr;
    const char *(*property)(udev_device *, const char *) = nullptr;

    bool resolved() const
    {
        return newContext && unrefContext && deviceAt && unrefDevice && parent && devnode && sysname && driver
            && property;
    }
};

template <typename Call>
void resolve(QLibrary &library, Call &call, const char *name)
{
    call = reinterpret_cast<Call>(library.resolve(name));
}

const UdevCalls &udevCalls()
{
    static const UdevCalls calls = [] {
        UdevCalls c;
        QLibrary library(QStringLiteral("udev"), 1);
        resolve(library, c.newContext, "udev_new");
        resolve(library, c.unrefContext, "udev_unref");
        resolve(library, c.deviceAt, "udev_device_new_from_syspath");
        resolve(library, c.unrefDevice, "udev_device_unref");
        resolve(library, c.parent, "udev_device_get_parent");
        resolve(library, c.devnode, "udev_device_get_devnode");
        resolve(library, c.sysname, "udev_device_get_sysname");
        resolve(library, c.driver, "udev_device_get_driver");
        resolve(library, c.property, "udev_device_get_property_value");
        return c;
    }();
    return calls;
}

// A port of the 8250 driver is listed only when the system knows its UART;
// the driver registers ports that no hardware stands behind.
bool isValidSerial8250(const QString &device)
{
#ifdef Q_OS_LINUX
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    serial_struct info {};
    const bool known = ::ioctl(fd, TIOCGSERIAL, &info) != -1 && info.type != PORT_UNKNOWN;
    ::close(fd);
    return known;
#else
    Q_UNUSED(device);
    return false;
#endif
}

QString udevText(const UdevCalls &udev, udev_device *device, const char *name)
{
    return QString::fromLatin1(udev.property(device, name)).replace(QLatin1Char('_'), QLatin1Char(' '));
}

int udevIdentifier(const UdevCalls &udev, udev_device *device, const char *name)
{
    bool ok = false;
    const int id = QString::fromLatin1(udev.property(device, name)).toInt(&ok, 16);
    return ok ? quint16(id) : -1;
}

// What udev tells of the tty at `syspath`, as Qt tells it; false when Qt
// would not list it.
bool describeTty(const UdevCalls &udev, ::udev *context, const QByteArray &syspath, SystemPort &port)
{
    udev_device *tty = udev.deviceAt(context, syspath.constData());
    if (!tty)
        return false;
    port.device = QString::fromLatin1(udev.devnode(tty));
    port.portName = QString::fromLatin1(udev.sysname(tty));
    bool listed = true;
    if (udev_device *parent = udev.parent(tty)) {
        listed = QLatin1String(udev.driver(parent)) != QLatin1String("serial8250") || isValidSerial8250(port.device);
        if (listed) {
            port.description = udevText(udev, tty, "ID_MODEL");
            port.manufacturer = udevText(udev, tty, "ID_VENDOR");
            port.serialNumber = QString::fromLatin1(udev.property(tty, "ID_SERIAL_SHORT"));
            port.vendorId = udevIdentifier(udev, tty, "ID_VENDOR_ID");
            port.productId = udevIdentifier(udev, tty, "ID_MODEL_ID");
        }
    } else {
        listed = mayBeSerialPort(port.portName, false);
    }
    udev.unrefDevice(tty);
    return listed;
}

// Qt's own listing, where the quick one cannot stand in for it.
QList<SystemPort> qtListing()
{
    QList<SystemPort> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        SystemPort port{info.systemLocation(), info.portName(), info.description(), info.manufacturer(),
                        info.serialNumber()};
        if (info.hasVendorIdentifier())
            port.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier())
            port.productId = info.productIdentifier();
        ports << port;
    }
    return ports;
}

} // namespace

bool mayBeSerialPort(const QString &ttyName, bool hasDevice)
{
    if (hasDevice || ttyName.startsWith(QLatin1String("tnt")) || ttyName.startsWith(QLatin1String("ttyGS")))
        return true;
    if (!ttyName.startsWith(QLatin1String("rfcomm")))
        return false;
    bool ok = false;
    const int number = QStringView(ttyName).mid(6).toInt(&ok);
    return ok && number >= 0 && number <= 255;
}

QList<SystemPort> PortDirectory::systemPorts()
{
    const UdevCalls &udev = udevCalls();
    const QDir ttys(QStringLiteral("/sys/class/tty"));
    const QStringList names = ttys.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    // Qt lists by its other means where udev is missing or lists no tty.
    if (!udev.resolved() || names.isEmpty())
        return qtListing();
    // In the order udev gives them: by their place among the devices.
    QList<QStringList> places;
    for (const QString &name : names) {
        const QString entry = ttys.filePath(name);
        if (mayBeSerialPort(name, ::access(QFile::encodeName(entry + QStringLiteral("/device")).constData(), F_OK) == 0))
            places << QFileInfo(entry).canonicalFilePath().split(QLatin1Char('/'));
    }
    std::sort(places.begin(), places.end());
    QList<SystemPort> ports;
    ::udev *context = udev.newContext();
    if (!context)
        return qtListing();
    for (const QStringList &place : std::as_const(places)) {
        SystemPort port;
        if (describeTty(udev, context, QFile::encodeName(place.join(QLatin1Char('/'))), port))
            ports << port;
    }
    udev.unrefContext(context);
    return ports;
}
