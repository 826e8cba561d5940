#pragma once
#include "cli/LinkBatch.h"

#include <QSet>

// Loads a .chann file with the program's own checks and prepares it as a
// write does; false with a message naming the file.
bool loadImageForWrite(const QString &path, Codeplug &image, QString &error, Language language);

// Every port that read its radio back fails unless rows 0..254 match what
// was written; its differences go into its notes and JSON.
// Its fields are listed in `encoding`.
void checkAgainst(std::vector<PortResult> &results, const Codeplug &expected, ListedEncoding encoding,
                  Language language);
// The same for one port and the rows `rows` only.
void checkRows(PortResult &result, const Codeplug &expected, const QList<int> &rows, ListedEncoding encoding,
               Language language);

// --backup: each radio's whole memory, read before it is written, saved as
// folder/<port>-<time>.chann.
class RadioBackups {
public:
    // A file for each port, checked before any link starts; a name already
    // taken (a second backup within the second) gets a number. False with
    // a message naming the folder or the file.
    bool prepare(const QString &folder, const QList<PortSpec> &ports, QString &error, Language language);
    bool isEmpty() const { return m_paths.isEmpty(); }
    // Saves the port's radio, read whole; a batch's read check.
    bool save(int port, const Codeplug &radio, QString &error, Language language);
    // Names each file saved in its port's notes and JSON.
    void report(std::vector<PortResult> &results, Language language) const;

private:
    QStringList m_paths;
    QSet<int> m_saved;
};
