#include "channels/ChannelCellDelegate.h"

#include "channels/ChannelTableModel.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QStringListModel>

ChannelCellDelegate::ChannelCellDelegate(ChannelTableModel &model, QObject *parent)
    : QStyledItemDelegate(parent),
      m_tones(new QStringListModel(model.choices(ChannelTableModel::DecodeColumn), this)),
      m_powers(new QStringListModel(model.choices(ChannelTableModel::PowerColumn), this)),
      m_bandwidths(new QStringListModel(model.choices(ChannelTableModel::BandwidthColumn), this))
{
}

QStringListModel *ChannelCellDelegate::listOf(int column) const
{
    switch (column) {
    case ChannelTableModel::PowerColumn:
        return m_powers;
    case ChannelTableModel::BandwidthColumn:
        return m_bandwidths;
    default:
        return m_tones;
    }
}

void ChannelCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const QString text = index.data().toString();
    if (auto *box = qobject_cast<QLineEdit *>(editor)) {
        box->setText(text);
        return;
    }
    auto *list = qobject_cast<QComboBox *>(editor);
    const auto *model = qobject_cast<const ChannelTableModel *>(index.model());
    if (!list || !model)
        return;
    list->setModel(listOf(index.column()));
    list->setCurrentIndex(model->choice(index));
    list->setEditText(text);
}

void ChannelCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *box = qobject_cast<QLineEdit *>(editor))
        model->setData(index, box->text());
    else if (auto *list = qobject_cast<QComboBox *>(editor))
        model->setData(index, list->currentIndex());
}

void ChannelCellDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                               const QModelIndex &) const
{
    const QRect cell = option.rect;
    if (qobject_cast<QComboBox *>(editor))
        editor->setGeometry(cell.x(), cell.y(), cell.width(), editor->sizeHint().height());
    else
        editor->setGeometry(cell);
}

void ChannelCellDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.column() != ChannelTableModel::NumberColumn)
        return;
    // The number column is fixed like the header: drawn as one, never
    // current, never greyed.
    const QPalette palette = option->widget ? option->widget->palette() : QApplication::palette();
    option->backgroundBrush = palette.button();
    option->state |= QStyle::State_Enabled;
    option->palette.setBrush(QPalette::Text, palette.buttonText());
}

#include "moc_ChannelCellDelegate.cpp"
