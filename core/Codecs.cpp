#include "core/Codecs.h"

#include "core/Frequency.h"
#include "core/Codeplug.h"
#include "core/NumberText.h"

#include <cmath>

QString ToneNames[ToneNamesSize];
qint16 CtcssCount = 0;
qint16 DcsNormalEnd = 0;
qint16 ToneListEnd = 0;

QString FreqFromBytes(int b0, int b1, int b2, int b3)
{
    const int hi0 = b0 / 16, lo0 = b0 - 16 * hi0;
    const int hi1 = b1 / 16, lo1 = b1 - 16 * hi1;
    const int hi2 = b2 / 16, lo2 = b2 - 16 * hi2;
    const int hi3 = b3 / 16, lo3 = b3 - 16 * hi3;
    // Summed in this order, in double precision, so that the text matches
    // what the radio's own software has always shown.
    const double value = ((((((100.0 * hi3 + 10.0 * lo3) + hi2) + 0.1 * lo2) + 0.01 * hi1)
                           + 0.001 * lo1) + 0.0001 * hi0) + 0.00001 * lo0;
    QString t = shortestDecimalText(value);
    if (t.size() < 9) {
        // "7.6" already has its point: only a whole number gets one.
        if (t.size() <= 3 && !t.contains(QLatin1Char('.')))
            t += QLatin1Char('.');
        const int target = value >= 100.0 ? 9 : 8;
        if (t.size() < target)
            t += QString(target - t.size(), QLatin1Char('0'));
    }
    return t;
}

bool FreqToBytes(const QString &text, FreqField &field)
{
    const std::optional<Frequency> f = Frequency::truncated(numericValue(text));
    if (!f)
        return false;
    field = f->field();
    return true;
}

namespace {

// The snapped value as StoreFrequency leaves it in the caller's text:
// padded with zeros to 9 characters, also below 100 MHz.
QString snappedFrequencyText(Frequency f)
{
    QString t = shortestDecimalText(f.mhz());
    if (t.size() <= 3 && !t.contains(QLatin1Char('.')))
        t += QLatin1Char('.');
    if (t.size() < 9)
        t += QString(9 - t.size(), QLatin1Char('0'));
    return t;
}

} // namespace

bool StoreFrequency(Codeplug &image, QString &text, int row, int column)
{
    const std::optional<Frequency> f = Frequency::snapped(numericValue(text));
    if (!f)
        return false;
    f->store(image, row, column);
    text = snappedFrequencyText(*f);
    return true;
}

QString frequencyText(const Codeplug &image, int row, int column)
{
    return FreqFromBytes(image.cell(row, column), image.cell(row, column + 1), image.cell(row, column + 2),
                         image.cell(row, column + 3));
}

double frequencyMHz(const Codeplug &image, int row, int column)
{
    return numericValue(frequencyText(image, row, column));
}

QString FmFreqText(int code)
{
    const double value = 87.0 + 0.1 * code;
    QString t = shortestDecimalText(value);
    if (t.size() < 9) {
        if (t.size() == 2 || t.size() == 3)
            t += QLatin1Char('.');
        const int target = value >= 100.0 ? 5 : 4;
        if (t.size() < target)
            t += QString(target - t.size(), QLatin1Char('0'));
    }
    return t;
}

void InitToneNames()
{
    static const char *const ctcss[50] = {
        "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
        "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
        "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
        "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
        "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};
    static const char *const dcs[104] = {
        "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071",
        "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145",
        "152", "155", "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
        "244", "245", "246", "251", "252", "255", "261", "263", "265", "266", "271", "274", "306",
        "311", "315", "325", "331", "332", "343", "346", "351", "356", "364", "365", "371", "411",
        "412", "413", "423", "431", "432", "445", "446", "452", "454", "455", "462", "464", "465",
        "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624", "627",
        "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

    for (QString &name : ToneNames)
        name.clear();
    ToneNames[0] = QStringLiteral("   OFF      ");
    for (int i = 1; i <= 50; ++i) {
        const QString tone = QString::fromLatin1(ctcss[i - 1]);
        if (i <= 9)
            ToneNames[i] = QStringLiteral("   ") + tone + QStringLiteral("    ");
        else if (i <= 12)
            ToneNames[i] = QStringLiteral("  ") + tone + QStringLiteral("    ");
        else
            ToneNames[i] = QStringLiteral("  ") + tone + QStringLiteral("   ");
    }
    for (int i = 51; i <= 154; ++i) {
        const QString name = QLatin1Char('D') + QString::fromLatin1(dcs[i - 51]) + QLatin1Char('N');
        ToneNames[i] = (i <= 99 ? QStringLiteral("  ") : QStringLiteral(" ")) + name + QStringLiteral("   ");
    }
    for (int i = 51; i <= 154; ++i)
        ToneNames[i + 104] = ToneNames[i].trimmed().left(4) + QLatin1Char('I');
    CtcssCount = 50;
    DcsNormalEnd = 154;
    ToneListEnd = 258;
}

static const QString &nameAlphabet()
{
    static const QString alphabet = QStringLiteral("0123456789- ABCDEFGHIJKLMNOPQRSTUVWXYZ_+*");
    return alphabet;
}

int CharToCode(const QString &ch)
{
    if (ch.size() != 1)
        return 11;
    QChar c = ch.at(0);
    if (c.unicode() >= 'a' && c.unicode() <= 'z')
        c = QChar(c.unicode() - 'a' + 'A');
    const int code = nameAlphabet().indexOf(c);
    return code < 0 ? 11 : code;
}

QString CodeToChar(int code)
{
    if (code < 0 || code > 40)
        return QString();
    return nameAlphabet().mid(code, 1);
}
