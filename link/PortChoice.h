#pragma once
#include "serial/PortSpec.h"

#include <QtGlobal>

// The port the links open, as the port window chose it for the rest of the
// run: 1..8, port 1 from start-up. A link keeps the port it opened until it
// closes it.
extern qint16 CommPortNo;
// The last attempt of a link window to open its port failed: the port
// window then stays open once its choice is confirmed.
extern bool PortError;

// The port window's choice, as the link windows hand it to their links and
// the status bar names it.
PortSpec chosenPort();
