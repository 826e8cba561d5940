#include "fields/GenericChannelCsv.h"

#include "core/ChannelRecord.h"
#include "core/Codecs.h"
#include "core/Texts.h"
#include "core/ToneTable.h"
#include "fields/CsvText.h"
#include "fields/FieldCatalogue.h"
#include "fields/SpreadsheetCells.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace {

enum Column {
    Location, Name, FrequencyColumn, Duplex, Offset, Tone, RToneFreq, CToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode,
    CrossMode, Mode, TStep, Skip, Power, Comment, UrCall, Rpt1Call, Rpt2Call, DvCode, ColumnCount
};

const QStringList &headers()
{
    static const QStringList list{"Location", "Name",     "Frequency", "Duplex",   "Offset",    "Tone",
                                  "rToneFreq", "cToneFreq", "DtcsCode",  "DtcsPolarity", "RxDtcsCode", "CrossMode",
                                  "Mode",     "TStep",    "Skip",      "Power",    "Comment",   "URCALL",
                                  "RPT1CALL", "RPT2CALL", "DVCODE"};
    return list;
}

// The positions in the grid's lists (core/ChannelRecord.h) that the layout
// has words for: the shift directions, the power levels, the bandwidths.
enum GridDirection { Simplex, Plus, Minus };
enum GridPower { Low, High };
enum GridBandwidth { Narrow, Wide };

// --- Frequencies ----------------------------------------------------------

// A frequency cell in MHz ("439.875000", "7.6"), cut to whole 10 Hz steps;
// none for any other text.
std::optional<Frequency> frequencyOfCell(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,4})(?:\\.(\\d*))?$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QString steps = match.captured(2).leftJustified(5, QLatin1Char('0'), true);
    return Frequency::fromSteps(match.captured(1).toLongLong() * Frequency::StepsPerMHz + steps.toLongLong());
}

// A frequency as the layout writes it, with six decimals.
QString cellOfFrequency(Frequency f)
{
    return QStringLiteral("%1.%2")
        .arg(f.steps() / Frequency::StepsPerMHz)
        .arg(f.steps() % Frequency::StepsPerMHz * 10, 6, 10, QLatin1Char('0'));
}

// The two rasters, in 10 Hz steps.
constexpr qint64 FiveKilohertz = Frequency::StepsPerMHz / 200, SixPointTwoFiveKilohertz = 625;

// The tuning step the export writes: the raster the frequency lies on, the
// 5 kHz one when it lies on both.
QString stepText(Frequency f)
{
    return f.steps() % FiveKilohertz == 0 ? QStringLiteral("5.00") : QStringLiteral("6.25");
}

template <typename T>
T valueOf(const FieldValue &value, T none)
{
    const T *v = std::get_if<T>(&value);
    return v ? *v : none;
}

// --- Tones ----------------------------------------------------------------

bool isCtcss(int position) { return ToneTable::instance().kind(position) == ToneTable::Kind::Ctcss; }

// One side of a channel's tones, in the layout's terms.
struct Side {
    enum Kind { None, Ctcss, Dcs } kind = None;
    QString value;        // "88.5" or "023"
    bool reversed = false;
    QString column;       // where an imported value came from
};

// A tone of the list in the layout's terms: a CTCSS tone by its frequency,
// a DCS code by the three digits of its tone-list entry ("D023N").
Side sideOfTone(ToneValue tone)
{
    if (tone.position <= 0)
        return {};
    if (isCtcss(tone.position))
        return {Side::Ctcss, ToneTable::instance().text(tone.position), false, {}};
    const ToneCode code = toneCodeOfPosition(tone.position);
    return {Side::Dcs, ToneTable::instance().text(code.code).mid(1, 3), code.inverted, {}};
}

// The tone of a side, or none with the refusal in `reason`.
std::optional<ToneValue> toneOfSide(const Side &side, QString &reason, Language language)
{
    const ToneTable &table = ToneTable::instance();
    if (side.kind == Side::None)
        return ToneValue{0};
    if (side.kind == Side::Ctcss) {
        const int p = table.indexOf(toneTextOfNumber(side.value));
        if (isCtcss(p))
            return ToneValue{p};
        reason = langText(language, "%1“%2”不在对讲机的亚音列表中",
                          "%1 \"%2\" is not a tone of the radio's list").arg(side.column, side.value);
        return std::nullopt;
    }
    // A spreadsheet reads "023" as the number 23.
    static const QRegularExpression code(QStringLiteral("^\\d{1,3}$"));
    const QString padded = side.value.rightJustified(3, QLatin1Char('0'));
    const int p = code.match(side.value).hasMatch() ? table.indexOf(QStringLiteral("D%1N").arg(padded)) : -1;
    if (p >= 1)
        return ToneValue{tonePositionOfCode(p, side.reversed, ToneOverflow::NoEntry)};
    reason = langText(language, "%1“%2”不在对讲机的数字亚音（DCS）列表中",
                      "%1 \"%2\" is not a DCS code of the radio's list").arg(side.column, side.value);
    return std::nullopt;
}

// The tone columns of a channel, as the export writes them; the defaults
// are what the layout holds in a column its tone mode does not use.
struct ToneColumns {
    QString mode;
    QString rTone = QStringLiteral("88.5");
    QString cTone = QStringLiteral("88.5");
    QString dtcs = QStringLiteral("023");
    QString polarity = QStringLiteral("NN");
    QString rxDtcs = QStringLiteral("023");
    QString cross = QStringLiteral("Tone->Tone");
};

QString crossName(Side::Kind kind)
{
    return kind == Side::Ctcss ? QStringLiteral("Tone") : kind == Side::Dcs ? QStringLiteral("DTCS") : QString();
}

ToneColumns toneColumns(const Side &tx, const Side &rx)
{
    ToneColumns c;
    const auto polarity = [](const Side &side) { return QLatin1Char(side.reversed ? 'R' : 'N'); };
    if (tx.kind == Side::Dcs) {
        c.dtcs = tx.value;
        c.polarity[0] = polarity(tx);
    }
    if (rx.kind == Side::Dcs) {
        c.polarity[1] = polarity(rx);
        c.rxDtcs = rx.value;
    }
    if (tx.kind == Side::None && rx.kind == Side::None)
        return c;
    if (tx.kind == Side::Ctcss && rx.kind == Side::None) {
        c.mode = QStringLiteral("Tone");
        c.rTone = tx.value;
    } else if (tx.kind == Side::Ctcss && rx.kind == Side::Ctcss && tx.value == rx.value) {
        c.mode = QStringLiteral("TSQL");
        c.cTone = rx.value;
    } else if (tx.kind == Side::Dcs && rx.kind == Side::Dcs && tx.value == rx.value) {
        c.mode = QStringLiteral("DTCS");
    } else {
        c.mode = QStringLiteral("Cross");
        c.cross = crossName(tx.kind) + QStringLiteral("->") + crossName(rx.kind);
        if (tx.kind == Side::Ctcss)
            c.rTone = tx.value;
        if (rx.kind == Side::Ctcss)
            c.cTone = rx.value;
    }
    return c;
}

// --- Import ---------------------------------------------------------------

// One data row: its fields by column, and which columns the file has.
struct Row {
    QStringList value;
    QVector<bool> given;
    QString operator[](Column c) const { return value.at(c); }
};

// The layout's word for a power level.
QString powerCell(GridPower level) { return level == High ? QStringLiteral("High") : QStringLiteral("Low"); }

// A wattage such as "5.0W" or "0.5 W"; -1 for any other text.
double wattsOf(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+(\\.\\d*)?)\\s*W$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(text);
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

bool is(const QString &text, const char *word) { return text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0; }

// The receive and transmit side of a row's tone columns.
bool toneSides(const Row &row, Side &tx, Side &rx, QString &reason, Language language)
{
    QString polarity = row[DtcsPolarity].toUpper();
    if (polarity.isEmpty())
        polarity = QStringLiteral("NN");
    static const QRegularExpression polarities(QStringLiteral("^[NR]{2}$"));
    if (!polarities.match(polarity).hasMatch()) {
        reason = langText(language, "DtcsPolarity“%1”不是两个 N 或 R",
                          "DtcsPolarity \"%1\" is not two of N and R").arg(row[DtcsPolarity]);
        return false;
    }
    const auto side = [&](Side::Kind kind, Column column, bool reversed = false) {
        return Side{kind, row[column], reversed, headers().at(column)};
    };
    const bool txReversed = polarity.at(0) == QLatin1Char('R'), rxReversed = polarity.at(1) == QLatin1Char('R');
    const Side toneTx = side(Side::Ctcss, RToneFreq), toneRx = side(Side::Ctcss, CToneFreq);
    const Side dcsTx = side(Side::Dcs, DtcsCode, txReversed);
    // Older files have no receive DCS code of its own: DtcsCode serves both.
    const Side dcsRx = side(Side::Dcs, row.given.at(RxDtcsCode) ? RxDtcsCode : DtcsCode, rxReversed);
    const QString mode = row[Tone];
    if (mode.isEmpty()) {
        tx = rx = {};
    } else if (is(mode, "Tone")) {
        tx = toneTx;
        rx = {};
    } else if (is(mode, "TSQL")) {
        tx = rx = toneRx;
    } else if (is(mode, "DTCS")) {
        tx = dcsTx;
        rx = side(Side::Dcs, DtcsCode, rxReversed);
    } else if (is(mode, "Cross")) {
        const QString cross = row.given.at(CrossMode) ? row[CrossMode] : QStringLiteral("Tone->Tone");
        static const QStringList known{"Tone->Tone", "Tone->DTCS", "DTCS->Tone", "->Tone",
                                       "->DTCS",     "DTCS->",     "DTCS->DTCS"};
        if (!known.contains(cross, Qt::CaseInsensitive)) {
            reason = langText(language, "CrossMode“%1”不是以下之一：%2",
                              "CrossMode \"%1\" is not one of: %2").arg(cross, known.join(QStringLiteral(", ")));
            return false;
        }
        const QString from = cross.section(QStringLiteral("->"), 0, 0);
        const QString to = cross.section(QStringLiteral("->"), 1, 1);
        tx = is(from, "Tone") ? toneTx : is(from, "DTCS") ? dcsTx : Side{};
        rx = is(to, "Tone") ? toneRx : is(to, "DTCS") ? dcsRx : Side{};
    } else {
        reason = langText(language, "Tone“%1”不是以下之一：（空）、Tone、TSQL、DTCS、Cross",
                          "Tone \"%1\" is not one of: (empty), Tone, TSQL, DTCS, Cross").arg(mode);
        return false;
    }
    return true;
}

// A row in the grid's terms, or why the radio cannot hold it.
struct Conversion {
    QVector<GridValue> values;
    QStringList notes;
    QStringList reasons;
    Frequency rx;
    Frequency tx;

    void cell(const char *field, const FieldValue &value, const QString &label) { values.append({field, value, label}); }
};

void convertFrequencies(const Row &row, Conversion &out, Language language)
{
    const std::optional<Frequency> receive = frequencyOfCell(row[FrequencyColumn]);
    if (receive || row[FrequencyColumn].isEmpty())
        out.cell("receive", receive ? FieldValue(*receive) : FieldValue(), QStringLiteral("Frequency"));
    else
        out.reasons << langText(language, "Frequency“%1”不是频率", "Frequency \"%1\" is not a frequency").arg(row[FrequencyColumn]);

    if (!receive)
        return;
    out.rx = *receive;
    if (!row.given.at(Duplex))
        return;
    const QString duplex = row[Duplex];
    const bool shifted = is(duplex, "+") || is(duplex, "-") || is(duplex, "split");
    const std::optional<Frequency> offset = frequencyOfCell(row[Offset]);
    out.tx = out.rx;
    if (shifted && !offset)
        out.reasons << langText(language, "Offset“%1”不是频率", "Offset \"%1\" is not a frequency").arg(row[Offset]);
    else if (is(duplex, "+"))
        out.tx = out.rx + *offset;
    else if (is(duplex, "-"))
        out.tx = out.rx - *offset;
    else if (is(duplex, "split"))
        out.tx = *offset;
    else if (is(duplex, "off"))
        out.notes << langText(language, "Duplex“off”已忽略：此信道可能会发射", "Duplex \"off\" dropped: the channel may transmit");
    else if (!duplex.isEmpty())
        out.reasons << langText(language, "Duplex“%1”不是以下之一：（空）、+、-、split、off",
                                "Duplex \"%1\" is not one of: (empty), +, -, split, off").arg(duplex);
    if (out.tx < Frequency())
        out.reasons << langText(language, "Offset %1 使发射频率低于 0 MHz",
                                "Offset %1 takes the transmit frequency below 0 MHz").arg(row[Offset]);
    else if (out.reasons.isEmpty())
        out.cell("transmit", out.tx, QStringLiteral("transmit"));
}

void convertTones(const Row &row, Conversion &out, Language language)
{
    if (!row.given.at(Tone))
        return;
    Side tx, rx;
    QString reason;
    if (toneSides(row, tx, rx, reason, language)) {
        const std::optional<ToneValue> decode = toneOfSide(rx, reason, language);
        const std::optional<ToneValue> encode = toneOfSide(tx, reason, language);
        if (reason.isEmpty()) {
            out.cell("decode", *decode, QStringLiteral("decode"));
            out.cell("encode", *encode, QStringLiteral("encode"));
        }
    }
    if (!reason.isEmpty())
        out.reasons << reason;
}

// High, Low, or a wattage: the file's highest is High, every lower one Low.
void convertPower(const Row &row, double highestWatts, Conversion &out, Language language)
{
    if (!row.given.at(Power))
        return;
    const QString power = row[Power];
    const double watts = wattsOf(power);
    std::optional<GridPower> level;
    if (power.isEmpty() || is(power, "High") || is(power, "H"))
        level = High;
    else if (is(power, "Low") || is(power, "L"))
        level = Low;
    else if (watts >= 0) {
        level = watts >= highestWatts ? High : Low;
        out.notes << langText(language, "Power“%1”改为 %2", "Power \"%1\" became %2").arg(power, powerCell(*level));
    } else {
        out.reasons << langText(language, "Power“%1”不是 High、Low 或瓦数", "Power \"%1\" is not High, Low or a wattage").arg(power);
    }
    if (level)
        out.cell("power", ChoiceValue{*level}, QStringLiteral("Power"));
}

// A name as the radio's alphabet spells it: each character outside it
// becomes a space.
QString foldedName(const QString &cell)
{
    QString name;
    for (const QChar ch : cell)
        name += CodeToChar(CharToCode(QString(ch)));
    return name;
}

// Names cut at the end to the radio's 5 characters, keyed by their folded
// text, except where the cut would make different names alike (GMRS01 and
// GMRS02 both GMRS0): each keeps its trailing number and the letters after
// it, or its last character, and loses characters before them instead.
QHash<QString, QString> cutAtTheEnd(const QStringList &names)
{
    QHash<QString, QStringList> byCut;
    for (const QString &folded : names) {
        QStringList &alike = byCut[folded.left(5).trimmed()];
        if (!alike.contains(folded))
            alike << folded;
    }
    static const QRegularExpression tail(QStringLiteral("(\\d+[A-Z]*|.)$"));
    QHash<QString, QString> shortOf;
    for (const QString &folded : names) {
        QString name = folded.left(5).trimmed();
        if (folded.size() > 5 && byCut.value(name).size() > 1) {
            const QString end = tail.match(folded).captured(1);
            if (end.size() < 5)
                name = folded.left(5 - end.size()) + end;
        }
        shortOf.insert(folded, name);
    }
    return shortOf;
}

// The names of the plan cut to the radio's 5 characters, keyed by their
// cell. One rule for every name: a trailing number and the letters after
// it stay, and the characters before them are cut (GMRS01 -> GMR01,
// GMRS15 -> GMR15, GMRS15R -> GM15R), so that channels of one service keep
// their numbers; other names are cut at the end. Names the rule would make
// alike (GMRS15 and GMRT15) are cut as cutAtTheEnd() cuts them, so that
// different names stay different.
QHash<QString, QString> shortNames(const QStringList &cells)
{
    static const QRegularExpression number(QStringLiteral("\\d+[A-Z]*$"));
    QStringList folded;
    QHash<QString, QString> kept; // by folded name
    QHash<QString, QSet<QString>> byKept;
    for (const QString &cell : cells) {
        const QString name = foldedName(cell);
        folded << name;
        const QString end = number.match(name).captured(0);
        const QString shortName = name.size() > 5 && !end.isEmpty() && end.size() < 5 ? name.left(5 - end.size()) + end
                                                                                     : name.left(5).trimmed();
        kept.insert(name, shortName);
        byKept[shortName] << name;
    }
    const QHash<QString, QString> cut = cutAtTheEnd(folded);
    QHash<QString, QString> shortOf;
    for (int i = 0; i < cells.size(); ++i) {
        const QString &name = folded.at(i);
        shortOf.insert(cells.at(i), byKept.value(kept.value(name)).size() > 1 ? cut.value(name) : kept.value(name));
    }
    return shortOf;
}

void convertModeAndName(const Row &row, const QHash<QString, QString> &shortOf, Conversion &out,
                        Language language)
{
    if (row.given.at(Mode)) {
        const QString mode = row[Mode];
        if (mode.isEmpty() || is(mode, "FM"))
            out.cell("bandwidth", ChoiceValue{Wide}, QStringLiteral("Mode"));
        else if (is(mode, "NFM"))
            out.cell("bandwidth", ChoiceValue{Narrow}, QStringLiteral("Mode"));
        else
            out.reasons << langText(language, "Mode“%1”不是 FM 或 NFM", "Mode \"%1\" is not FM or NFM").arg(mode);
    }

    if (row.given.at(Name)) {
        const QString cell = nameOfCell(row[Name]);
        const QString name = shortOf.value(cell);
        if (name != cell)
            out.notes << langText(language, "Name“%1”改为“%2”", "Name \"%1\" became \"%2\"").arg(cell, name);
        out.cell("name", name, QStringLiteral("Name"));
    }
}

// The columns the radio has no place for, and why, for the note that
// counts the rows that lost them.
constexpr Column DroppedColumns[] = {TStep, Skip, Comment, UrCall, Rpt1Call, Rpt2Call, DvCode};

QString whyDropped(Column c, Language language)
{
    if (c == TStep)
        return langText(language, "对讲机按 5 或 6.25 kHz 对齐", "the radio snaps to 5 or 6.25 kHz");
    if (c == Skip)
        return langText(language, "扫描跳过不随信道保存", "the radio keeps no skip with the channel");
    return langText(language, "对讲机没有存放之处", "the radio has no place for it");
}

// The dropped columns of a row: `dropped[c]` is set for each.
void findDropped(const Row &row, QVector<bool> &dropped)
{
    const double step = row[TStep].toDouble();
    const std::optional<Frequency> rx = frequencyOfCell(row[FrequencyColumn]);
    const qint64 steps = rx ? rx->steps() : 0;
    const bool onRaster = (qFuzzyCompare(step, 5.0) && steps % FiveKilohertz == 0)
                          || (qFuzzyCompare(step, 6.25) && steps % SixPointTwoFiveKilohertz == 0);
    dropped.fill(false, ColumnCount);
    for (Column c : DroppedColumns)
        dropped[c] = !row[c].isEmpty() && !(c == TStep && onRaster);
}

Conversion convertRow(const Row &row, double highestWatts, const QHash<QString, QString> &shortOf,
                      Language language)
{
    Conversion out;
    convertFrequencies(row, out, language);
    convertTones(row, out, language);
    convertPower(row, highestWatts, out, language);
    convertModeAndName(row, shortOf, out, language);
    return out;
}

} // namespace

QByteArray exportGenericCsv(const Codeplug &image)
{
    QString out = csvLine(headers());
    for (int n = 1; n <= 128; ++n) {
        if (image.at(n, 0) == 0xFF)
            continue;
        const auto value = [&](const char *field) { return channelFieldValue(image, n, field); };
        const Frequency rx = valueOf(value("receive"), Frequency());
        const int direction = valueOf(value("direction"), ChoiceValue{Simplex}).index;
        const QString duplex = direction == Plus ? QStringLiteral("+") : direction == Minus ? QStringLiteral("-") : QString();
        const ToneColumns tones = toneColumns(sideOfTone(valueOf(value("encode"), ToneValue{0})),
                                              sideOfTone(valueOf(value("decode"), ToneValue{0})));
        const bool narrow = valueOf(value("bandwidth"), ChoiceValue{Wide}).index == Narrow;
        const GridPower power = valueOf(value("power"), ChoiceValue{High}).index == High ? High : Low;
        out += csvLine({QString::number(n), nameCell(valueOf(value("name"), QString())), cellOfFrequency(rx), duplex,
                        cellOfFrequency(valueOf(value("offset"), Frequency())), tones.mode, tones.rTone, tones.cTone,
                        tones.dtcs, tones.polarity, tones.rxDtcs, tones.cross,
                        narrow ? QStringLiteral("NFM") : QStringLiteral("FM"), stepText(rx), QString(),
                        powerCell(power), QString(), QString(), QString(), QString(), QString()});
    }
    return out.toUtf8();
}

bool isGenericChannelCsv(const QByteArray &csv)
{
    QVector<CsvRecord> records;
    QStringList errors;
    if (!readCsvRecords(csv, records, errors, Language::English))
        return false;
    for (const QString &header : records.first().fields)
        if (is(header.trimmed(), "Frequency"))
            return true;
    return false;
}

ImportResult importGenericCsv(const QByteArray &csv, const Codeplug &base, Language language,
                              GenericImportOptions options)
{
    ImportResult result;
    QVector<CsvRecord> records;
    if (!readCsvRecords(csv, records, result.errors, language))
        return result;

    // Where each known column is; the others are ignored.
    const CsvRecord &header = records.first();
    QVector<int> indexOf(ColumnCount, -1);
    for (int i = 0; i < header.fields.size(); ++i) {
        int known = ColumnCount - 1;
        while (known >= 0 && headers().at(known).compare(header.fields.at(i).trimmed(), Qt::CaseInsensitive) != 0)
            --known;
        if (known < 0)
            continue;
        if (indexOf.at(known) >= 0)
            result.errors << columnTwice(language).arg(header.line).arg(headers().at(known));
        indexOf[known] = i;
    }
    if (indexOf.at(FrequencyColumn) < 0 || (indexOf.at(Location) < 0 && !options.renumber))
        result.errors << langText(language, "第 %1 行：需要 Location 和 Frequency 两列",
                                  "line %1: the columns Location and Frequency are needed").arg(header.line);
    if (!result.errors.isEmpty())
        return result;

    QVector<Row> rows;
    double highestWatts = 0;
    for (int r = 1; r < records.size(); ++r) {
        Row row{QStringList(ColumnCount), QVector<bool>(ColumnCount, false)};
        for (int c = 0; c < ColumnCount; ++c) {
            row.given[c] = indexOf.at(c) >= 0;
            row.value[c] = records.at(r).fields.value(indexOf.at(c)).trimmed();
        }
        highestWatts = qMax(highestWatts, wattsOf(row[Power]));
        rows << row;
    }

    ChannelPlanStore store(base, options.replace, language);
    if (options.skipUnsupported)
        store.skipRefusedRows();
    QStringList names;
    for (const Row &row : rows)
        names << nameOfCell(row[Name]);
    const QHash<QString, QString> shortOf = shortNames(names);
    // A column dropped on most rows is noted once for the plan, any other
    // drop on its row.
    QVector<int> droppedRows(ColumnCount, 0);
    for (const Row &row : rows) {
        QVector<bool> dropped;
        findDropped(row, dropped);
        for (Column c : DroppedColumns)
            droppedRows[c] += dropped.at(c) ? 1 : 0;
    }
    QVector<bool> onceForPlan(ColumnCount, false);
    for (Column c : DroppedColumns)
        onceForPlan[c] = droppedRows.at(c) >= 2 && droppedRows.at(c) * 2 > rows.size();
    int next = options.firstChannel; // with renumber: the channel the next row fills
    for (int r = 0; r < rows.size(); ++r) {
        const Row &row = rows.at(r);
        const int line = records.at(r + 1).line;
        const QString misfit = fieldCountFault(records.at(r + 1), header.fields.size(), language);
        if (!misfit.isEmpty()) {
            store.refuse(line, misfit);
            ++next;
            continue;
        }
        bool numberOk = options.renumber;
        const int n = options.renumber ? next : row[Location].toInt(&numberOk);
        if (options.renumber && n > 128) {
            store.note(langText(language, "信道已满 128 个：从第 %1 行起的各行未导入",
                                "the 128 channels are full: the rows from line %1 on are left out").arg(line));
            break;
        }
        if (!numberOk || n < 1 || n > 128) {
            store.refuse(line, langText(language, "Location“%1”超出 1..128（--renumber 按文件顺序填入信道）",
                                           "Location \"%1\" is outside 1..128 (--renumber fills the channels in "
                                           "file order)")
                                   .arg(row[Location]));
            continue;
        }
        if (!store.claim(line, n))
            continue;
        Conversion conversion = convertRow(row, highestWatts, shortOf, language);
        // The receive frequency first and alone: when it is refused, the
        // row's other fields would only be refused for want of a channel.
        const bool stored = conversion.reasons.isEmpty() ? store.store(line, n, conversion.values.mid(0, 1))
                                                             && store.store(line, n, conversion.values.mid(1))
                                                         : store.rejectRow(line, conversion.reasons);
        // A skipped row leaves its channel to the next row.
        if (stored || !options.skipUnsupported)
            ++next;
        if (!stored)
            continue;
        QVector<bool> dropped;
        findDropped(row, dropped);
        for (Column c : DroppedColumns)
            if (dropped.at(c) && !onceForPlan.at(c))
                conversion.notes << langText(language, "%1“%2”已忽略", "%1 \"%2\" dropped").arg(headers().at(c), row[c]);
        // Where the raster moved a frequency.
        QStringList snapped;
        const Frequency rx = valueOf(channelFieldValue(store.image(), n, "receive"), Frequency());
        if (rx != conversion.rx)
            snapped << langText(language, "Frequency %1 已对齐到 %2",
                                "Frequency %1 snapped to %2").arg(row[FrequencyColumn], cellOfFrequency(rx));
        const Frequency tx = valueOf(channelFieldValue(store.image(), n, "transmit"), Frequency());
        if (row.given.at(Duplex) && tx != conversion.tx && conversion.tx != conversion.rx)
            snapped << langText(language, "transmit %1 已对齐到 %2",
                                "transmit %1 snapped to %2").arg(cellOfFrequency(conversion.tx), cellOfFrequency(tx));
        store.note(line, snapped + conversion.notes);
    }
    for (Column c : DroppedColumns)
        if (onceForPlan.at(c))
            store.note(langText(language, "%1 在 %2 行中已忽略：%3", "%1 dropped on %2: %3")
                           .arg(headers().at(c),
                                langText(language, "%1", "%1 rows").arg(droppedRows.at(c)),
                                whyDropped(c, language)));
    return store.result();
}
