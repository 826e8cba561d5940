#pragma once
#include <QList>
#include <QString>

#include "core/Language.h"

class PortDirectory;
struct PortSnapshot;

// What stands behind a port number, told to a person: the device, what the
// system knows of it, and whether the user may open it, with the reason and
// the remedy when not. Needs no window: the port window and the
// command-line program both show it.

// A device's owner, group and permission bits, as the system reports them.
struct DeviceOwnership {
    uint uid = 0;
    uint gid = 0;
    uint mode = 0;      // permission bits, e.g. 0660
    QString groupName;  // the name of `gid`
};

// Who asks: the user and every group the running session belongs to.
struct UserIdentity {
    uint uid = 0;
    QList<uint> groups;
};

struct DeviceAccess {
    bool mayOpen = false;
    QString reason; // why not, in the language asked for
    QString remedy; // what the user can do about it
};

// Whether `user` may read and write `device` by its permission bits alone.
// A group membership granted after the session began counts only after the
// user logs in again, which the remedy says.
DeviceAccess judgeDeviceAccess(const QString &device, const DeviceOwnership &owner, const UserIdentity &user,
                               Language language);

// The user running this program.
UserIdentity currentUser();

struct PortDescription {
    int portNumber = 0;     // 1..8; 0 when described by its path alone
    QString device;         // empty when no device stands behind the number
    bool exists = false;
    QString description;    // as the system names it, e.g. "FT232R USB UART"
    QString manufacturer;
    QString serialNumber;
    int vendorId = -1;      // USB identifiers, -1 when unknown
    int productId = -1;
    bool builtIn = false;        // a UART of the computer itself, no USB adapter
    qint64 simulatorProcess = 0; // a simulated radio's process, 0 for a real port
    DeviceAccess access;
    QString lastOpenFailure; // the system's reason when the program last failed to open it

    // One paragraph for a person, in `language`.
    QString summary(Language language) const;
};

// What `snapshot` and `directory` know of `device`; the reasons and
// remedies are in `language`. Asks the system for no port list.
PortDescription describeDevice(PortDirectory &directory, const PortSnapshot &snapshot, const QString &device,
                               Language language);
// The device that port number n (1..8) stands for in `snapshot`, described.
PortDescription describePort(PortDirectory &directory, const PortSnapshot &snapshot, int portNumber,
                             Language language);
