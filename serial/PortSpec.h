#pragma once
#include <QString>

// Which port a link uses: a port number 1..8, which a PortDirectory maps to
// a device, or a device named by its path.
struct PortSpec {
    int number = 0;
    QString device;

    // "3", "COM3" or a device path such as "/dev/ttyUSB0"; false for
    // anything else.
    static bool parse(const QString &text, PortSpec &spec);
    static PortSpec ofNumber(int number) { return PortSpec{number, QString()}; }
    // How the port is named to the user: "COM3" or the path.
    QString name() const;
};
