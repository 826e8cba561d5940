#pragma once
// Images and field access shared by the field catalogue tests.
#include "core/Codecs.h"
#include "fields/FieldCatalogue.h"
#include "sim/RadioSimulator.h"

#include <QTest>

// The program's start-up image.
inline Codeplug defaultImage()
{
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

inline QString read(const Codeplug &image, const QString &id) { return readField(image, field(id), Language::English); }
inline QString write(Codeplug &image, const QString &id, const QString &text)
{
    return writeField(image, field(id), text, Language::English);
}

// All 128 channels in use through the grid's fields: both rasters, every
// shift, tones of every kind on either side, both powers and bandwidths,
// names of every length, and names a spreadsheet would read as a number or
// formula.
inline Codeplug fullChannelPlan()
{
    Codeplug image = defaultImage();
    const QStringList tones = field("channel.1.decode").choices(Language::English);
    const char *const names[] = {"", "A", "KV-9", "Z_+* ", "12345", "0007", "+A1*2", "-2+3", "1E5", "MAR1"};
    for (int n = 1; n <= 128; ++n) {
        const QString rx = QString::number(400.0 + n * 0.5 + (n % 2) * 0.00625, 'f', 5);
        const QString tx = QString::number(400.0 + n * 0.5 + (n % 3) * 2, 'f', 5);
        const QString id = QStringLiteral("channel.%1.").arg(n);
        // In the grid's order: the receive frequency makes the channel.
        QString refused = write(image, id + "receive", rx);
        refused += write(image, id + "transmit", n % 4 ? tx : rx);
        refused += write(image, id + "decode", tones.at(n * 2 % tones.size()));
        refused += write(image, id + "encode", tones.at((n * 7 + 100) % tones.size()));
        refused += write(image, id + "power", n % 2 ? "Low" : "High");
        refused += write(image, id + "bandwidth", n % 5 ? "Wide" : "Narrow");
        refused += write(image, id + "name", names[n % 10]);
        if (!refused.isEmpty())
            qFatal("channel %d refused: %s", n, qPrintable(refused));
    }
    return image;
}
