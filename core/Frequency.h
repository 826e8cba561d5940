#pragma once
#include <QtGlobal>
#include <array>
#include <optional>

class Codeplug;

// A frequency field: 8 packed BCD digits d7d6d5.d4d3d2d1d0 MHz in four
// bytes, least significant byte first.
using FreqField = std::array<quint8, 4>;

// Only 0 up to 999.99999 MHz can be encoded in a frequency field.
inline bool isEncodableFrequency(double mhz) { return mhz >= 0.0 && mhz < 1000.0; }

// A frequency as a frequency field holds it: a whole number of 10 Hz steps,
// the unit of the field's last digit. An entry is read into this type once;
// snapping, comparing and storing then work on the number.
class Frequency {
public:
    static constexpr qint64 StepsPerMHz = 100000;

    constexpr Frequency() = default;
    static constexpr Frequency fromSteps(qint64 steps) { return Frequency(steps); }
    // A value in MHz rounded to the nearest 10 Hz step.
    static Frequency fromMHz(double mhz) { return Frequency(qRound64(mhz * StepsPerMHz)); }

    // The value of the field at (row, column..column + 3), as its text
    // (frequencyText) reads: a nibble above 9 counts with its value.
    static Frequency read(const Codeplug &image, int row, int column);
    // A value in MHz cut digit by digit to whole 10 Hz steps, as the VFO's
    // entries are stored; nothing for a value that cannot be encoded.
    static std::optional<Frequency> truncated(double mhz);
    // A value in MHz snapped down onto the channel raster, as a channel
    // entry is stored (the double arithmetic of the codec, so that every
    // entry lands where it always did); nothing for a value that cannot be
    // encoded.
    static std::optional<Frequency> snapped(double mhz);

    constexpr qint64 steps() const { return m_steps; }
    // The nearest double to the value in MHz: what the field's text reads as.
    double mhz() const { return double(m_steps) / StepsPerMHz; }
    constexpr bool isEncodable() const { return m_steps >= 0 && m_steps < 1000 * StepsPerMHz; }
    // This value snapped the same way, in whole steps: the difference of two
    // raster values (a channel's offset) stays exact, where the double
    // arithmetic would drop 1.005 MHz to 1.000 MHz.
    std::optional<Frequency> snapped() const;

    // The field of an encodable value, and storing it at (row, column..column + 3).
    FreqField field() const;
    void store(Codeplug &image, int row, int column) const;

    friend constexpr bool operator==(Frequency a, Frequency b) { return a.m_steps == b.m_steps; }
    friend constexpr bool operator!=(Frequency a, Frequency b) { return a.m_steps != b.m_steps; }
    friend constexpr bool operator<(Frequency a, Frequency b) { return a.m_steps < b.m_steps; }
    friend constexpr bool operator>(Frequency a, Frequency b) { return a.m_steps > b.m_steps; }
    friend constexpr Frequency operator+(Frequency a, Frequency b) { return Frequency(a.m_steps + b.m_steps); }
    friend constexpr Frequency operator-(Frequency a, Frequency b) { return Frequency(a.m_steps - b.m_steps); }

private:
    constexpr explicit Frequency(qint64 steps) : m_steps(steps) {}
    qint64 m_steps = 0;
};
