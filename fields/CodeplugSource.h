#pragma once
#include "core/Codeplug.h"
#include "core/Language.h"

#include <QString>
#include <functional>

// Where the companion program takes an image from: a .chann file, or
// "radio:PORT", which reads the radio first.

// Reads the radio on `port` into `image`; false with the reason otherwise.
// The link engine provides it; without one, radio sources are refused.
using RadioReader = std::function<bool(const QString &port, Codeplug &image, QString &error)>;

bool isRadioSource(const QString &source);

// Loads a source. A file that cannot be read or is malformed gives the
// channel file loader's message.
bool loadSource(const QString &source, Codeplug &image, QString &error, Language language,
                const RadioReader &readRadio = {});

// The channel file text of an image, and writing it atomically.
QByteArray channelFileText(const Codeplug &image);
bool saveCodeplugFile(const QString &path, const Codeplug &image, QString &error, Language language);
