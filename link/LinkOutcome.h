#pragma once
#include "serial/LinkProtocol.h"

#include <QString>

// What a link came to, told to the user in the current language: the line
// of status panel 2 and the details of the failure messages.

// "Read from COM2, 04:41", "Written to COM2 and done, 04:43".
QString linkCompletedText(LinkKind kind);
// "Read failed: the radio does not answer", and the like.
QString linkFailedText(LinkKind kind, LinkFailure why);
QString portFailedText(LinkKind kind);

// The detailed text of a failure message: the port, its device, the
// system's reason (when there is one) and what to check.
QString linkFailureDetails(const QString &systemReason);
QString linkFailureReason(LinkFailure why);
