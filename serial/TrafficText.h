#pragma once
#include <QByteArray>
#include <QString>

// The readable lines of link traffic, shared by the simulated radio's log and
// the companion's trace so that both read alike; each side puts its own
// arrow in front ("<-" what it received, "->" what it sent).

// "4B 56 20 44 39": the bytes in upper-case hex, a space between.
QString trafficHex(const QByteArray &bytes);
// "03F0": a radio address as four hex digits.
QString trafficAddress(int address);

// The bytes of the program's frame that starts with `command`: 8 for the
// wake-up, 4 for a read request, 20 for a write or power frame, else 1.
int programFrameLength(char command);
// One frame the program sends: "wake-up PROGRAM 02", "read 0010",
// "write 0010: <hex>", "power 03F0: <hex>", "ACK", "E: end of write",
// "b: end of power link", or "stray byte 5A" for anything else.
QString describeProgramFrame(const QByteArray &frame);
