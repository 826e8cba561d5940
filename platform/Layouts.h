#pragma once
#include <initializer_list>

class QHBoxLayout;
class QWidget;

// The row of buttons at the foot of a window: side by side, centred.
QHBoxLayout *centeredButtonRow(std::initializer_list<QWidget *> buttons);
