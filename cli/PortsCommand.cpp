// kvd9-cli ports: what stands behind port numbers 1..8, and whether the
// user may open it.
#include "cli/CliContext.h"
#include "cli/Subcommands.h"
#include "serial/PortDescription.h"
#include "serial/PortDirectory.h"
#include "core/Texts.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

constexpr int PortNumbers = 8;

QString usbId(int id)
{
    return id < 0 ? QString() : QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0'));
}

QJsonObject portJson(const PortDescription &port)
{
    return {{QStringLiteral("port"), port.portNumber},
            {QStringLiteral("device"), port.device},
            {QStringLiteral("description"), port.description},
            {QStringLiteral("manufacturer"), port.manufacturer},
            {QStringLiteral("serialNumber"), port.serialNumber},
            {QStringLiteral("vendorId"), usbId(port.vendorId)},
            {QStringLiteral("productId"), usbId(port.productId)},
            {QStringLiteral("mayOpen"), port.access.mayOpen},
            {QStringLiteral("reason"), port.access.reason},
            {QStringLiteral("remedy"), port.access.remedy}};
}

} // namespace

int runPorts(const QStringList &arguments, CliContext &context)
{
    CommandLine line("ports", context.language, false);
    int exitCode = 0;
    if (!line.parse(arguments, context, exitCode))
        return exitCode;
    QJsonArray all;
    // One look at the system serves every number.
    const PortSnapshot snapshot = context.ports->snapshot();
    for (int n = 1; n <= PortNumbers; ++n) {
        const PortDescription port = describePort(*context.ports, snapshot, n, context.language);
        all.append(portJson(port));
        if (line.json())
            continue;
        if (port.device.isEmpty()) {
            context.out << n << "  " << langText(context.language, "（无设备）", "(no device)") << '\n';
            continue;
        }
        const QString ids = port.vendorId < 0 ? QString()
                                              : QStringLiteral("  %1:%2").arg(usbId(port.vendorId), usbId(port.productId));
        context.out << n << "  " << port.device << "  " << port.description << "  " << port.manufacturer
                    << (port.serialNumber.isEmpty() ? QString() : QStringLiteral("  ") + port.serialNumber) << ids
                    << "  " << (port.access.mayOpen ? langText(context.language, "可以打开", "may open") : langText(context.language, "不能打开", "may not open"))
                    << '\n';
        if (!port.access.mayOpen)
            context.out << "   " << port.access.reason << ' ' << port.access.remedy << '\n';
    }
    if (line.json())
        printEnvelope(context, line.name(), Exit::Success, {}, {{QStringLiteral("ports"), all}});
    context.out.flush();
    return 0;
}
