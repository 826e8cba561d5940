#pragma once
#include "core/Language.h"
#include "serial/PortSpec.h"

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>

// How the last opening of a device failed: Qt's QSerialPort error and the
// system's words.
struct OpenFailure {
    int error = 0;
    QString systemText;
};

// What the system tells of one of its serial ports.
struct SystemPort {
    QString device;   // its path, e.g. "/dev/ttyUSB0"
    QString portName; // e.g. "ttyUSB0"
    QString description;
    QString manufacturer;
    QString serialNumber;
    int vendorId = -1; // USB identifiers, -1 when unknown
    int productId = -1;

    bool isUsbAdapter() const;
};

// One look at the ports present: the serial ports the system lists, the
// simulated radios announced, and the device of each port number. A listing
// takes one and reads every description from it, because asking the system
// is what costs.
struct PortSnapshot {
    QList<SystemPort> system;
    QList<QPair<QString, qint64>> radios; // a simulated radio's device and process
    QStringList numbered;                 // entry n-1 is port n's device; empty: free

    // The device of port number n; empty when there is none.
    QString deviceFor(int portNumber) const;
    // What the system listed for `device`; null when it did not list it.
    const SystemPort *systemPort(const QString &device) const;
    // The process of the simulated radio announcing `device`; 0 when none.
    qint64 simulatorProcess(const QString &device) const;
};

// What the program knows of the serial ports: which device a port number
// 1..8 stands for, the simulated radios that announce themselves, the lock
// files of other programs, and why the last opening of a device failed.
// Port number n is "COMn" on Windows; elsewhere the n-th serial port the
// system lists, USB adapters first, followed by the simulated radios of
// this user. Tests map a number to any device, such as a pseudo-terminal.
// Each front end owns one directory for its whole run.
class PortDirectory {
public:
    PortDirectory() = default;
    PortDirectory(const PortDirectory &) = delete;
    PortDirectory &operator=(const PortDirectory &) = delete;

    // The device that port number n stands for; empty when there is none.
    // Takes a snapshot unless the number is mapped. A device keeps its number for as long as it exists; a new one takes
    // the lowest number free, so that no device moves under the user when
    // another comes or goes. The numbers are kept in a record that every
    // program of the user shares, so that the windows and the companion
    // give a device the same number.
    QString deviceFor(int portNumber) const;
    // The device a port stands for: its path, or the device of its number.
    QString deviceFor(const PortSpec &port) const;
    // Makes port number n stand for `device` in this directory (an empty
    // path removes the mapping).
    void mapPortNumber(int portNumber, const QString &device);

    // Looks at the system once: every port number's device, and what the
    // system tells of each port. New devices take their numbers here.
    PortSnapshot snapshot() const { return snapshotTask()(); }
    // The same look as a task that any thread may run: it holds copies of
    // what it needs, so the directory may change meanwhile.
    std::function<PortSnapshot()> snapshotTask() const;
    // What the next snapshot() depends on, without asking the system for
    // its ports: the names of the device nodes, the live announcements and
    // this directory's own mapping. Equal stamps, equal snapshots, unless a
    // device was replaced by one of the same name in between.
    QStringList presenceStamp() const;

    // The last look kept, when it was taken under `stamp`; null else. A
    // window opened again shows it without asking the system anew.
    const PortSnapshot *keptSnapshot(const QStringList &stamp) const
    {
        return m_keptStamp == stamp && !stamp.isEmpty() ? &m_kept : nullptr;
    }
    void keepSnapshot(const PortSnapshot &snapshot, const QStringList &stamp)
    {
        m_kept = snapshot;
        m_keptStamp = stamp;
    }

    // How the system's serial ports are listed: as QSerialPortInfo lists
    // them (systemPorts(), serial/SystemPortList.cpp), unless tests put
    // something else here (to count the listings, or to list ports this
    // machine lacks).
    using PortLister = std::function<QList<SystemPort>()>;
    void setPortLister(PortLister lister) { m_lister = std::move(lister); }
    static QList<SystemPort> systemPorts();

    // Running simulated radios announce their pseudo-terminals as symbolic
    // links named kvd9-radio-sim-<process id> in a folder of the user's
    // alone (mode 0700): the one KVD9_RADIO_SIM_DIR names, else a folder in
    // the runtime folder, else one in the temporary folder. An announcement
    // counts only when the link belongs to the user, points to a
    // pseudo-terminal of the user, and its process still runs; the user's
    // own announcements of ended processes are deleted.
    static QString announcementFolder();
    static QString announcementName(qint64 pid);
    // Announces `device` for this process; the link's path, or empty with
    // the reason in `error`.
    static QString announceSimulatedRadio(const QString &device, QString *error);
    // The announced devices, each once, in the order of their names.
    QStringList announcedRadios() const;

    // Another running program's lock file for `device` (the serial lock of
    // /var/lock and its kin), with that program's process number; empty when
    // no other living process holds one.
    static QString lockFileOfOtherProgram(const QString &device, qint64 *pid = nullptr);

    // A failed opening of `device`, kept until the device opens again.
    void recordOpenFailure(const QString &device, const OpenFailure &failure);
    // The device opened: its last failure is past.
    void forgetOpenFailure(const QString &device);
    // Why the program last failed to open `device`, in `language`; empty when the last opening succeeded or none was tried.
    // A refused permission is forgotten once the device may be opened,
    // whoever opened it since.
    QString lastOpenFailure(const QString &device, Language language);
    // The last failure recorded for `device`; error 0 when none is.
    OpenFailure openFailure(const QString &device) const;
    // The failure came from another program holding the port: its lock
    // file, or the system's "busy" for a device opened exclusively.
    static bool isInUse(const QString &device, const OpenFailure &failure);
    // A failure told in `language`; a lock file of another
    // program names it.
    static QString describeOpenFailure(const QString &device, const OpenFailure &failure, Language language);

private:
    // Every live announcement: its device and the simulator's process.
    static QList<QPair<QString, qint64>> announcements();
    static PortSnapshot takeSnapshot(const PortLister &lister, const QMap<int, QString> &mapped);

    QMap<int, QString> m_mapped;
    PortSnapshot m_kept;
    QStringList m_keptStamp;
    PortLister m_lister = &PortDirectory::systemPorts;
    QMap<QString, OpenFailure> m_failures;
};
