#pragma once
#include "core/Codeplug.h"
#include "core/Language.h"

#include <QList>
#include <QString>

// What preparing the image for a write found: the image is ready to go, or
// a frequency lies outside the working range and nothing may be written.
struct WritePreparation {
    enum Result { Ready, VfoOutOfRange, ChannelOutOfRange };
    Result result = Ready;
    int channel = 0; // the channel out of range
    QList<int> channels = {}; // every channel out of range, `channel` first

    bool ready() const { return result == Ready; }
    // Why the write is refused, in the current language; empty when ready.
    QString message(Language language) const;
    // The line below the message: the channels out of range, up to five,
    // then how many more; empty unless channels are out of range.
    QString summary(Language language) const;
};

// The VFO, then every channel, against the image's working range.
WritePreparation checkRanges(const Codeplug &image);

// Before a write: clears the general settings bytes the radio keeps to
// itself, notes the first channel in use and sets the fixed rows.
void ApplyWritePreparation(Codeplug &image);

// The same, then checks the VFO and every channel against the working range.
WritePreparation PrepareImageForWrite(Codeplug &image);
