#include "platform/Layouts.h"

#include <QHBoxLayout>
#include <QWidget>

QHBoxLayout *centeredButtonRow(std::initializer_list<QWidget *> buttons)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QWidget *button : buttons)
        row->addWidget(button);
    row->addStretch();
    return row;
}
