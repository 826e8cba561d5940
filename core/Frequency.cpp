#include "core/Frequency.h"

#include "core/Codeplug.h"

#include <cmath>

Frequency Frequency::read(const Codeplug &image, int row, int column)
{
    // Digit pairs from the most significant byte down: 10 MHz and 1 MHz
    // steps, and so on to 100 Hz and 10 Hz.
    qint64 steps = 0;
    for (int i = 3; i >= 0; --i) {
        const int b = image.cell(row, column + i);
        steps = steps * 100 + 10 * (b / 16) + b % 16;
    }
    return Frequency(steps);
}

std::optional<Frequency> Frequency::truncated(double f)
{
    if (!isEncodableFrequency(f))
        return std::nullopt;
    // Digit by digit, each rounded down, d7 (100 MHz) to d0 (10 Hz).
    const double d7 = std::floor(f / 100);
    const double d6 = std::floor((f - 100 * d7) / 10);
    const double d5 = std::floor(f - 100 * d7 - 10 * d6);
    // The added 1e-9 keeps a decimal such as 0.00625, held in binary as
    // 0.0062499999..., from losing its last digit.
    const double g = (f - std::floor(f) + 0.000000001) * 1000;
    const double d4 = std::floor(g / 100);
    const double d3 = std::floor((g - 100 * d4) / 10);
    const double d2 = std::floor(g - 100 * d4 - 10 * d3);
    // No guard here: g's 1 mHz dwarfs the 1e-7 Hz error, and no entry (9 characters) has digits below 0.1 Hz.
    const double h = (g - std::floor(g)) * 1000;
    const double d1 = std::floor(h / 100);
    const double d0 = std::floor((h - 100 * d1) / 10);
    qint64 steps = 0;
    for (const double digit : {d7, d6, d5, d4, d3, d2, d1, d0})
        steps = 10 * steps + qint64(digit);
    return Frequency(steps);
}

std::optional<Frequency> Frequency::snapped(double mhz)
{
    if (!isEncodableFrequency(mhz))
        return std::nullopt;
    // Down onto the nearer of the 5 kHz and 6.25 kHz rasters below; on a tie
    // the 5 kHz raster wins. Both products are exact in double.
    const double k = mhz * 1000;
    const double a = std::floor(k / 5), ra = k - 5 * a;
    const double b = std::floor(k / 6.25), rb = k - 6.25 * b;
    return Frequency(rb >= ra ? 500 * qint64(a) : 625 * qint64(b));
}

std::optional<Frequency> Frequency::snapped() const
{
    if (!isEncodable())
        return std::nullopt;
    // 5 kHz is 500 steps, 6.25 kHz 625; on a tie the 5 kHz raster wins.
    const qint64 a = m_steps / 500, ra = m_steps % 500;
    const qint64 b = m_steps / 625, rb = m_steps % 625;
    return Frequency(rb >= ra ? 500 * a : 625 * b);
}

FreqField Frequency::field() const
{
    Q_ASSERT(isEncodable());
    FreqField field{};
    qint64 rest = m_steps;
    for (int i = 0; i < 4; ++i) {
        const int pair = int(rest % 100);
        field[i] = quint8(16 * (pair / 10) + pair % 10);
        rest /= 100;
    }
    return field;
}

void Frequency::store(Codeplug &image, int row, int column) const
{
    const FreqField bytes = field();
    for (int i = 0; i < 4; ++i)
        image.at(row, column + i) = bytes[i];
}
