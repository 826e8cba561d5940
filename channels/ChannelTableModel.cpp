#include "channels/ChannelTableModel.h"

#include "core/ChannelCaptions.h"
#include "core/FrequencyEntry.h"
#include "platform/CodeplugDocument.h"

namespace {

constexpr int Channels = Region::LastChannelRow;

// What an edit of each column is called in the history.
struct ColumnStep {
    const char *chinese;
    const char *english;
};
constexpr ColumnStep columnSteps[ChannelTableModel::ColumnCount] = {
    {"", ""},
    {"接收频率", "receive frequency"},
    {"发射频率", "transmit frequency"},
    {"解码", "decode tone"},
    {"编码", "encode tone"},
    {"功率", "power"},
    {"带宽", "bandwidth"},
    {"名称", "name"},
};

} // namespace

ChannelTableModel::ChannelTableModel(CodeplugDocument &document, Language language, QObject *parent)
    : QAbstractTableModel(parent), m_document(document), m_language(language),
      m_tones(toneSelectorItems(language))
{
    connect(&document, &CodeplugDocument::changed, this, &ChannelTableModel::showChanged);
    // Whether a cell is editable follows the link's hold on the document.
    connect(&document, &CodeplugDocument::lockChanged, this, [this] {
        emit dataChanged(index(0, 0), index(Channels - 1, ColumnCount - 1), {});
    });
}

int ChannelTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Channels;
}

int ChannelTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

void ChannelTableModel::showChanged(int firstRow, int lastRow)
{
    // Everything a row shows of channel n lies in image row n.
    const int first = qMax(firstRow, 1);
    const int last = qMin(lastRow, Channels);
    for (auto left = m_leftTexts.begin(); left != m_leftTexts.end();)
        left = channelOf(left.key()) >= first && channelOf(left.key()) <= last ? m_leftTexts.erase(left) : ++left;
    if (first <= last)
        emit dataChanged(cell(first, NumberColumn), cell(last, NameColumn), {Qt::DisplayRole});
}

QVariant ChannelTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const int n = channelOf(index);
    if (index.column() == NumberColumn)
        return QString::number(n);
    const Codeplug &image = m_document.image();
    // An empty channel shows blank, whatever its other bytes hold.
    if (isChannelEmpty(image, n))
        return QString();
    if (const auto left = m_leftTexts.constFind(index); left != m_leftTexts.constEnd())
        return *left;
    switch (index.column()) {
    case RxColumn:
        return channelRxText(image, n);
    case TxColumn:
        return gridTransmitText(image, n);
    case DecodeColumn:
        return gridToneText(image, n, ToneSlot::Decode, m_language);
    case EncodeColumn:
        return gridToneText(image, n, ToneSlot::Encode, m_language);
    case PowerColumn:
        return gridPowerText(image, n, m_language);
    case BandwidthColumn:
        return gridBandwidthText(image, n, m_language);
    default:
        return gridName(image, n);
    }
}

QVariant ChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    const QString format = gridHeaderFormat(section, m_language);
    const bool centred = format.startsWith(QLatin1Char('^'));
    if (role == Qt::DisplayRole)
        return centred ? format.mid(1) : format;
    if (role == Qt::TextAlignmentRole)
        return int(centred ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

Qt::ItemFlags ChannelTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || index.column() == NumberColumn)
        return Qt::NoItemFlags;
    const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_document.isLocked())
        return shown;
    const int column = index.column();
    // The receive cell of an empty row opens an editor, to create the
    // channel; so does its transmit cell, to say the receive comes first.
    const bool inUse = !isChannelEmpty(m_document.image(), channelOf(index));
    return column <= TxColumn || inUse ? shown | Qt::ItemIsEditable : shown;
}

bool ChannelTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role == LeftTextRole && index.column() >= DecodeColumn && index.column() <= BandwidthColumn) {
        m_leftTexts.insert(index, value.toString());
        emit dataChanged(index, index, {Qt::DisplayRole});
        return true;
    }
    return role == Qt::EditRole && !commit(index, value).refused();
}

void ChannelTableModel::forgetLeftTexts()
{
    if (m_leftTexts.isEmpty())
        return;
    m_leftTexts.clear();
    emit dataChanged(index(0, 0), index(Channels - 1, ColumnCount - 1), {Qt::DisplayRole});
}

ChannelEditOutcome ChannelTableModel::commit(const QModelIndex &index, const QVariant &value)
{
    const int n = channelOf(index);
    const int column = index.column();
    ChannelEditOutcome outcome{ChannelEditOutcome::Refused, ChannelMessage::None, std::nullopt};
    if (!index.isValid() || column == NumberColumn)
        return outcome;
    const ChannelTarget target{n, ChannelEncoding::Grid, m_document.workRange()};
    const QString text = value.toString();
    const bool deletes = column == RxColumn && text.trimmed().isEmpty();
    const EditLabel label = deletes ? channelLabel(n, "清除", "cleared")
                                    : channelLabel(n, columnSteps[column].chinese, columnSteps[column].english);
    m_document.edit(label, [&](Codeplug &image) {
        switch (column) {
        case RxColumn:
            outcome = setReceive(image, target, frequencyEntryValue(text), OutOfRangePolicy::StoreLowerLimit);
            break;
        case TxColumn:
            outcome = setTransmit(image, target, frequencyEntryValue(text), OutOfRangePolicy::StoreLowerLimit);
            break;
        case DecodeColumn:
        case EncodeColumn:
            outcome = setTone(image, target, column == DecodeColumn ? ToneSlot::Decode : ToneSlot::Encode,
                              value.toInt());
            break;
        case PowerColumn:
            outcome = setPower(image, target, value.toInt());
            break;
        case BandwidthColumn:
            outcome = setBandwidth(image, target, value.toInt());
            break;
        default:
            outcome = setName(image, target, text);
            break;
        }
    });
    return outcome;
}

QStringList ChannelTableModel::choices(int column) const
{
    switch (column) {
    case DecodeColumn:
    case EncodeColumn:
        return m_tones;
    case PowerColumn:
        return gridPowerItems(m_language);
    case BandwidthColumn:
        return gridBandwidthItems(m_language);
    default:
        return {};
    }
}

int ChannelTableModel::choice(const QModelIndex &index) const
{
    const Codeplug &image = m_document.image();
    const int n = channelOf(index);
    if (isChannelEmpty(image, n))
        return -1;
    switch (index.column()) {
    case DecodeColumn:
        return gridTonePosition(image, n, ToneSlot::Decode);
    case EncodeColumn:
        return gridTonePosition(image, n, ToneSlot::Encode);
    case PowerColumn:
        return recordBit(image, n, GridDirectionByte, 0) ? 1 : 0;
    case BandwidthColumn:
        return recordBit(image, n, GridDirectionByte, 1) ? 1 : 0;
    default:
        return -1;
    }
}

#include "moc_ChannelTableModel.cpp"
