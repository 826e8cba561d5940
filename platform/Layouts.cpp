#include "platform/Layouts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

void collectInLayoutOrder(QLayout *layout, QList<QWidget *> &controls)
{
    std::vector<int> order(size_t(layout->count()));
    for (int i = 0; i < layout->count(); ++i)
        order[size_t(i)] = i;
    if (auto *grid = qobject_cast<QGridLayout *>(layout)) {
        auto cell = [grid](int i) {
            int row, column, rows, columns;
            grid->getItemPosition(i, &row, &column, &rows, &columns);
            return std::make_pair(row, column);
        };
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return cell(a) < cell(b); });
    }
    for (int i : order) {
        QLayoutItem *item = layout->itemAt(i);
        if (QLayout *inner = item->layout()) {
            collectInLayoutOrder(inner, controls);
        } else if (QWidget *widget = item->widget()) {
            if (widget->focusPolicy() & Qt::TabFocus)
                controls << widget;
            if (widget->layout())
                collectInLayoutOrder(widget->layout(), controls);
        }
    }
}

} // namespace

QHBoxLayout *centeredButtonRow(std::initializer_list<QWidget *> buttons)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QWidget *button : buttons)
        row->addWidget(button);
    row->addStretch();
    return row;
}

void tabInLayoutOrder(QWidget *window)
{
    QList<QWidget *> controls;
    if (window->layout())
        collectInLayoutOrder(window->layout(), controls);
    for (int i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls.at(i - 1), controls.at(i));
}
