#pragma once
#include <QStyledItemDelegate>

class ChannelTableModel;
class QStringListModel;

// The channel grid's cells: how the number column is drawn, and how the
// grid's two in-place editors (a text box over the frequency and name
// cells, a list over the tone, power and bandwidth cells) are placed over a
// cell, filled from it and stored into it. The grid keeps one editor of
// each kind for its whole life, since other windows commit a name still
// being typed in it; the delegate serves both.
class ChannelCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    ChannelCellDelegate(ChannelTableModel &model, QObject *parent = nullptr);

    // A text box gets the cell's text; a list gets the column's items, the
    // position the cell selects and the cell's text.
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    // A text box stores its text, a list its position, as one edit.
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    // A text box covers the cell; a list has the cell's width and its own
    // height.
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    QStringListModel *listOf(int column) const;

    QStringListModel *m_tones;
    QStringListModel *m_powers;
    QStringListModel *m_bandwidths;
};
