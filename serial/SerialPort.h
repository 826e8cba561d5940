#pragma once
#include "core/Language.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

class QSerialPort;

// The serial port of one link window. Port number n (1..8) stands for a
// device of the system: "COMn" on Windows; elsewhere the n-th serial port
// the system lists, USB adapters first, followed by the simulated radios of
// this user that announce themselves in the announcement folder. Tests map
// a number to any device, such as a pseudo-terminal.
class SerialPort : public QObject {
    Q_OBJECT
public:
    explicit SerialPort(QObject *parent = nullptr);
    ~SerialPort() override;

    // The device that port number n stands for; empty when there is none.
    // A device keeps its number for as long as it exists; a new one takes
    // the lowest number free, so that no device moves under the user when
    // another comes or goes.
    static QString deviceFor(int portNumber);
    // Makes port number n stand for `device` (an empty path removes the
    // mapping) for every port object of the program.
    static void mapPortNumber(int portNumber, const QString &device);

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
    static QStringList announcedRadios();
    // The process of the simulated radio announcing `device`; 0 when none.
    static qint64 simulatedRadioProcess(const QString &device);

    // Why the program last failed to open `device`, in `language`; empty
    // when the last opening succeeded or none was tried.
    static QString lastOpenFailure(const QString &device, Language language);

    // Another running program's lock file for `device` (the serial lock of
    // /var/lock and its kin), with that program's process number; empty when
    // no other living process holds one.
    static QString lockFileOfOtherProgram(const QString &device, qint64 *pid = nullptr);

    void setPortNumber(int portNumber) { m_portNumber = portNumber; }
    int portNumber() const { return m_portNumber; }
    // A device path named directly takes the place of the port number; an
    // empty path goes back to the number.
    void setDevicePath(const QString &device) { m_devicePath = device; }

    // Opens at 9600 baud, 8 data bits, no parity, 1 stop bit, without
    // handshaking; false when the device is missing or refuses, with the
    // reason in `language`.
    bool open(Language language);
    // Why the last open() failed.
    QString openError() const { return m_openError; }
    // Bytes not yet written go out before the port closes.
    void close();
    bool isOpen() const;

    int inputCount() const;
    void discardInput();
    void discardOutput();
    // Hands the bytes to the system at once.
    void write(const char *bytes, int count);
    QByteArray read(int count);

signals:
    // New bytes are waiting.
    void bytesReceived();
    // The device failed while open, for example because it vanished; the
    // port is already closed.
    void deviceLost();

private:
    // The serial ports and the simulated radios present now, in the order
    // in which new ones take numbers: USB adapters, the other ports, then
    // the simulated radios.
    static QStringList presentDevices();
    // The present devices by number (entry n-1 for port n; empty: free).
    static QStringList numberedDevices();
    // Every live announcement: its device and the simulator's process.
    static QList<QPair<QString, qint64>> announcements();
    void onError(int error);

    QSerialPort *m_port;
    int m_portNumber = 1;
    QString m_devicePath;
    QString m_openError;
    bool m_ignoreErrors = false;
    int m_openings = 0; // tells a failure of an earlier opening from the current one
};
