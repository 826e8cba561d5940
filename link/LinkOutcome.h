#pragma once
#include "serial/LinkProtocol.h"
#include "serial/PortDirectory.h"

#include <QString>

// What a link came to, told to the user in the current language: the line
// of status panel 2 and the details of the failure messages.

// The port a link window opened, as its messages name it: "COM2", and the
// device that stands behind it (empty when none does).
struct NamedPort {
    PortSpec spec;
    QString device;
};

// "Read from COM2, 04:41", "Written to COM2 and done, 04:43".
QString linkCompletedText(LinkKind kind, const PortSpec &port);
// "Read failed: the radio does not answer", and the like.
QString linkFailedText(LinkKind kind, LinkFailure why);
QString portFailedText(LinkKind kind, const PortSpec &port);
// A write that broke off after `rows` rows were acknowledged: the radio
// holds part of the new image and part of the old.
QString halfWrittenText(int rows);
// What the read or write window shows once it gave up, in place of the
// progress and the countdown.
QString finalStateText(LinkKind kind, int rowsWritten);
// The power window closed because no radio answered on the chosen port.
QString noRadioAnswerText(const PortSpec &port);

// Why the chosen port could not be opened, as far as the program can tell.
enum class PortProblem { NoDevice, DeviceGone, InUse, NoPermission, Other };
PortProblem diagnosePort(const QString &device, const OpenFailure &failure);

// One line a person can act on: the port and its device, the cause, the
// one thing to do (for a port in use: close the other program, named where
// the system tells it).
QString portFailureSummary(const NamedPort &port, PortProblem problem, const QString &systemReason);
QString linkFailureSummary(const NamedPort &port, LinkFailure why);

// The detailed text of a failure message: the port, its device, the
// system's reason (when there is one) and, with the checklist, what to
// check.
QString linkFailureDetails(const NamedPort &port, const QString &systemReason, bool withChecklist = true);
QString linkFailureReason(LinkFailure why);
