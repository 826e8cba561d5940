#include "fields/ChannelPlanStore.h"

#include "core/Texts.h"
#include "fields/FieldCatalogue.h"

namespace {

const Field &channelField(int n, const char *name)
{
    return *findField(QStringLiteral("channel.%1.%2").arg(n).arg(QLatin1String(name)));
}

QString listSeparator(Language language) { return langText(language, "；", "; "); }

QString noReceive(int n, Language language)
{
    return langText(language, "信道 %1 没有接收频率", "channel %1 has no receive frequency").arg(n);
}

QString refusedCell(const QString &label, const QString &refusal, Language language)
{
    return langText(language, "%1：%2", "%1: %2").arg(label, refusal);
}

QString onLine(int line, const QString &text, Language language)
{
    return langText(language, "第 %1 行：%2", "line %1: %2").arg(line).arg(text);
}

} // namespace

QString channelText(const Codeplug &image, int n, const char *field, Language language)
{
    return readField(image, channelField(n, field), language);
}

FieldValue channelFieldValue(const Codeplug &image, int n, const char *field)
{
    return readValue(image, channelField(n, field));
}

ChannelPlanStore::ChannelPlanStore(const Codeplug &base, bool replace, Language language)
    : m_image(base), m_language(language)
{
    if (replace)
        for (int n = 1; n <= 128; ++n)
            writeField(m_image, channelField(n, "receive"), QString(), m_language);
}

bool ChannelPlanStore::claim(int line, int n)
{
    if (m_lineOfChannel.contains(n)) {
        refuse(line, langText(m_language, "信道 %1 出现两次（首次在第 %2 行）",
                              "channel %1 appears twice (first on line %2)").arg(n).arg(m_lineOfChannel.value(n)));
        return false;
    }
    m_lineOfChannel.insert(n, line);
    m_beforeRow = m_image;
    m_rowChannel = n;
    return true;
}

bool ChannelPlanStore::rejectRow(int line, const QStringList &reasons)
{
    if (!m_skipping) {
        refuse(line, reasons);
        return false;
    }
    m_image = m_beforeRow;
    m_lineOfChannel.remove(m_rowChannel);
    m_notes << onLine(line, langText(m_language, "已跳过（对讲机无法容纳）：", "skipped (the radio cannot hold it): ")
                                + reasons.join(listSeparator(m_language)), m_language);
    return false;
}

bool ChannelPlanStore::store(int line, int n, const QVector<GridText> &texts)
{
    // Each row is stored into the working image at once, so that its later
    // fields are checked against what its earlier ones made.
    Codeplug row = m_image;
    QStringList reasons;
    for (const GridText &cell : texts) {
        const Field &field = channelField(n, cell.field);
        if (qstrcmp(cell.field, "receive") == 0 && cell.text.isEmpty())
            return rejectRow(line, {noReceive(n, m_language)});
        // An empty list cell leaves the channel's choice as it is.
        if (cell.text.isEmpty() && field.choices)
            continue;
        // A field already showing the text is left as it is, so that a
        // plan read back unchanged keeps every byte.
        const QString current = readField(row, field, Language::English);
        if (current.compare(cell.text, Qt::CaseInsensitive) == 0 || readField(row, field, Language::Chinese) == cell.text)
            continue;
        const QString refused = writeField(row, field, cell.text, m_language);
        if (!refused.isEmpty())
            reasons << refusedCell(cell.label, refused, m_language);
    }
    return finishRow(line, row, reasons);
}

bool ChannelPlanStore::store(int line, int n, const QVector<GridValue> &values)
{
    Codeplug row = m_image;
    QStringList reasons;
    for (const GridValue &cell : values) {
        if (qstrcmp(cell.field, "receive") == 0 && std::holds_alternative<std::monostate>(cell.value))
            return rejectRow(line, {noReceive(n, m_language)});
        const QString refused = writeValue(row, channelField(n, cell.field), cell.value, m_language);
        if (!refused.isEmpty())
            reasons << refusedCell(cell.label, refused, m_language);
    }
    return finishRow(line, row, reasons);
}

bool ChannelPlanStore::finishRow(int line, const Codeplug &row, const QStringList &reasons)
{
    if (!reasons.isEmpty())
        return rejectRow(line, reasons);
    m_image = row;
    return true;
}

void ChannelPlanStore::refuse(int line, const QString &reason) { m_errors << onLine(line, reason, m_language); }

void ChannelPlanStore::refuse(int line, const QStringList &reasons) { refuse(line, reasons.join(listSeparator(m_language))); }

void ChannelPlanStore::note(int line, const QStringList &adaptations)
{
    if (!adaptations.isEmpty())
        m_notes << onLine(line, adaptations.join(listSeparator(m_language)), m_language);
}


ImportResult ChannelPlanStore::result() const
{
    ImportResult result;
    result.errors = m_errors;
    result.notes = m_notes;
    result.ok = m_errors.isEmpty();
    if (result.ok)
        result.image = m_image;
    return result;
}
