#pragma once
#include <QString>

// Whether the tty named `ttyName` can be a serial port, judged from its name
// and whether a device stands behind it (its entry in the system's list of
// ttys links to one). QSerialPortInfo lists only such ttys: one with a
// device, or one of the kinds that have none yet are serial ports all the
// same: Bluetooth (rfcomm0 to rfcomm255), tty0tty's null modems (tnt...)
// and USB gadgets (ttyGS...). The virtual consoles, dozens on any machine,
// are none of these.
bool mayBeSerialPort(const QString &ttyName, bool hasDevice);
