#pragma once
#include <QObject>
#include <QString>

class Codeplug;

// Where the image goes when the session ends with unsaved changes: a
// channel file under the user's state folder ($XDG_STATE_HOME/kvd9, else
// ~/.local/state/kvd9), which the Open window loads like any other.
QString recoveryFilePath();
// Writes `image` there; false, with `error` in the windows' language, when
// the file could not be written.
bool keepRecoveryFile(const Codeplug &image, QString &error);

// Tells the main window that the session ends without the user closing it:
// a logout (the session manager's commitDataRequest) or SIGTERM. The signal
// handler only writes a byte into a socket pair; the rest runs from the
// event loop. Its end gives SIGTERM back its earlier handling.
class SessionEnd : public QObject {
    Q_OBJECT
public:
    explicit SessionEnd(QObject *parent = nullptr);

signals:
    // The session ends; `byTermination` when SIGTERM came, which ends the
    // program, rather than a logout the user may still cancel.
    void ending(bool byTermination);
};
