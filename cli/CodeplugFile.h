#pragma once
#include "cli/LinkBatch.h"

// Loads a .chann file with the program's own checks and prepares it as a
// write does; false with a message naming the file.
bool loadImageForWrite(const QString &path, Codeplug &image, QString &error);

// Every port that read its radio back fails unless rows 0..254 match what
// was written; its differences go into its notes and JSON.
// Its fields are listed in `encoding`.
void checkAgainst(std::vector<PortResult> &results, const Codeplug &expected, ListedEncoding encoding);
