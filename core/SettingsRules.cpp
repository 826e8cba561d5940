#include "core/SettingsRules.h"

#include "core/Codecs.h"
#include "core/NumberText.h"

#include <cmath>

QString DtmfDigitToChar(int digit)
{
    if (digit >= 0 && digit <= 9)
        return QString(QChar('0' + digit));
    if (digit >= 10 && digit <= 15)
        return QString(QChar('A' + digit - 10));
    return QString();
}

int DtmfCharToDigit(QChar ch)
{
    const char16_t c = ch.unicode();
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QString dtmfCodeText(const QString &text)
{
    QString code;
    for (const QChar ch : text) {
        const int digit = DtmfCharToDigit(ch);
        if (digit < 0)
            continue;
        code += DtmfDigitToChar(digit);
        if (code.size() == SettingsPlace::DtmfCodeLength)
            break;
    }
    return code;
}

int toneIndexOfCode(int code, bool inverted)
{
    if (code <= 0)
        return 0;
    if (code <= CtcssCount)
        return code;
    return inverted ? qMin(code + (ToneListEnd - DcsNormalEnd), int(ToneListEnd))
                    : qMin(code, int(DcsNormalEnd));
}

std::pair<int, bool> toneCodeOfIndex(int index)
{
    if (index > DcsNormalEnd)
        return {index - (ToneListEnd - DcsNormalEnd), true};
    return {qMax(index, 0), false};
}

int keyItemOfCode(int code)
{
    if (code < 0 || code >= KeyFunctionCount)
        return 0;
    return code == 0 ? 1 : code;
}

int keyCodeOfItem(int item)
{
    if (item == 0)
        return 255;
    return item == 1 ? 0 : item;
}

int lookBackItemOfByte(int value)
{
    // A value beyond the list first becomes 90, which then reads as item 89
    // (4.95 s) like every other value above 1.
    if (value > LookBackItemCount)
        value = LookBackItemCount - 1;
    return qMax(0, value - 1);
}

int lookBackByteOfItem(int item)
{
    return item == 0 ? 0 : item + 1;
}

int fmPresetCode(const QString &text)
{
    if (text.trimmed().isEmpty())
        return 255;
    const double f = numericValue(text);
    if (f < FmLowerMHz || f > FmUpperMHz)
        return 255;
    // The small addition keeps 98.1, held as 98.0999..., at 111 steps.
    return static_cast<int>(std::floor((f - FmLowerMHz) * 10.0 + 1e-7));
}

std::array<int, 2> rangeLimitBytes(int mhz)
{
    const int h = mhz / 100 % 10, t = mhz / 10 % 10, u = mhz % 10;
    return {u * 16, h * 16 + t};
}

bool isMessageCharacter(QChar ch)
{
    return ch.unicode() >= 0x20 && ch.unicode() <= 0x7E;
}
