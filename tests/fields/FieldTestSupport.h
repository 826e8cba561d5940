#pragma once
// Images and field access shared by the field catalogue tests.
#include "core/Codecs.h"
#include "core/Image.h"
#include "fields/FieldCatalogue.h"
#include "sim/RadioSimulator.h"

#include <QTest>

// The program's start-up image.
inline Codeplug defaultImage()
{
    InitToneNames();
    Codeplug image;
    InitDefaultImage(image);
    return image;
}

// The simulated radio's memory: three channels and the usual settings.
inline Codeplug sampleImage()
{
    const QByteArray memory = RadioSimulator::sampleMemory();
    Codeplug image;
    for (int i = 0; i < Codeplug::Size; ++i)
        image.at(i / RowBytes, i % RowBytes) = quint8(memory.at(i));
    return image;
}

inline const Field &field(const QString &id)
{
    const Field *f = findField(id);
    if (!f)
        qFatal("no field %s", qPrintable(id));
    return *f;
}

inline QString read(const Codeplug &image, const QString &id) { return readField(image, field(id)); }
inline QString write(Codeplug &image, const QString &id, const QString &text)
{
    return writeField(image, field(id), text);
}
