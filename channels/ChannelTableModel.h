#pragma once
#include "core/ChannelEdits.h"
#include "core/Language.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>

class CodeplugDocument;

// The channel grid's model: the 128 channels of the document in the grid
// encoding, one row each, column 0 the channel number. data() gives the
// texts the grid shows in the window's language, read from the image every
// time; setData() is one document edit through the channel edit layer; the
// document's changes reach the views as dataChanged. The model holds no
// copy of anything.
class ChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NumberColumn, RxColumn, TxColumn, DecodeColumn, EncodeColumn, PowerColumn, BandwidthColumn,
                  NameColumn, ColumnCount };

    ChannelTableModel(CodeplugDocument &document, Language language, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // The number column is fixed. A cell is editable where the grid opens an
    // editor on it: the frequencies always, the other cells of a channel in
    // use; none while a link holds the document.
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Frequencies and names as the text typed, lists as their position.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // setData's edit with its outcome, which the grid answers with its
    // messages; refused with no message while a link holds the document.
    ChannelEditOutcome commit(const QModelIndex &index, const QVariant &value);

    // The list a list column's editor offers (tones, power, bandwidth),
    // position for position.
    QStringList choices(int column) const;
    // The position the cell's list selects, or -1.
    int choice(const QModelIndex &index) const;

    // A list cell left after a choice shows the list's own text of it until
    // its row changes or the grid is shown anew, as the grid always has
    // (the list drops the spacing the tone list gives its entries). Set with
    // this role; it changes nothing in the document.
    static constexpr int LeftTextRole = Qt::UserRole;
    void forgetLeftTexts();

    static int channelOf(const QModelIndex &index) { return index.row() + 1; }
    QModelIndex cell(int channel, int column) const { return index(channel - 1, column); }

private:
    void showChanged(int firstRow, int lastRow);

    CodeplugDocument &m_document;
    const Language m_language;
    QHash<QModelIndex, QString> m_leftTexts;
    const QStringList m_tones;
};
