#include "core/ToneTable.h"

namespace {

const char *const Ctcss[] = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

const char *const Dcs[] = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071",
    "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145",
    "152", "155", "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
    "244", "245", "246", "251", "252", "255", "261", "263", "265", "266", "271", "274", "306",
    "311", "315", "325", "331", "332", "343", "346", "351", "356", "364", "365", "371", "411",
    "412", "413", "423", "431", "432", "445", "446", "452", "454", "455", "462", "464", "465",
    "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624", "627",
    "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

} // namespace

const ToneTable &ToneTable::instance()
{
    static const ToneTable table;
    return table;
}

ToneTable::ToneTable()
    : m_ctcss(int(std::size(Ctcss)))
    , m_dcs(int(std::size(Dcs)))
{
    // The list's own spacing, as the grid has always shown it: the first
    // nine CTCSS tones and the first 49 DCS codes one space further right.
    m_texts << QString(); // off: the windows caption it in their language
    for (int k = 0; k < m_ctcss; ++k) {
        const QString tone = QString::fromLatin1(Ctcss[k]);
        m_texts << QString(k < 9 ? 3 : 2, QLatin1Char(' ')) + tone + QString(k < 12 ? 4 : 3, QLatin1Char(' '));
    }
    for (int k = 0; k < m_dcs; ++k)
        m_texts << QString(k < 49 ? 2 : 1, QLatin1Char(' ')) + QLatin1Char('D') + QString::fromLatin1(Dcs[k])
                       + QStringLiteral("N   ");
    for (int k = 0; k < m_dcs; ++k)
        m_texts << QLatin1Char('D') + QString::fromLatin1(Dcs[k]) + QLatin1Char('I');
}

ToneTable::Kind ToneTable::kind(int entry) const
{
    for (const Kind k : {Kind::Off, Kind::Ctcss, Kind::DcsNormal, Kind::DcsInverted})
        if (entry >= first(k) && entry <= last(k))
            return k;
    return Kind::Outside;
}

int ToneTable::first(Kind kind) const
{
    switch (kind) {
    case Kind::Off:
        return 0;
    case Kind::Ctcss:
        return 1;
    case Kind::DcsNormal:
        return 1 + m_ctcss;
    case Kind::DcsInverted:
        return 1 + m_ctcss + m_dcs;
    case Kind::Outside:
        break;
    }
    return size();
}

int ToneTable::count(Kind kind) const
{
    switch (kind) {
    case Kind::Off:
        return 1;
    case Kind::Ctcss:
        return m_ctcss;
    case Kind::DcsNormal:
    case Kind::DcsInverted:
        return m_dcs;
    case Kind::Outside:
        break;
    }
    return 0;
}

QString ToneTable::text(int entry) const
{
    return listText(entry).trimmed();
}

QString ToneTable::listText(int entry) const
{
    return kind(entry) == Kind::Outside ? QString() : m_texts.at(entry);
}

int ToneTable::indexOf(const QString &text) const
{
    const QString wanted = text.trimmed();
    for (int entry = first(Kind::Ctcss); entry <= last(); ++entry)
        if (m_texts.at(entry).trimmed() == wanted)
            return entry;
    return -1;
}
