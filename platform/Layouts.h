#pragma once
#include <initializer_list>

class QHBoxLayout;
class QWidget;

// The row of buttons at the foot of a window: side by side, centred.
QHBoxLayout *centeredButtonRow(std::initializer_list<QWidget *> buttons);

// Chains the keyboard's Tab order through the controls of `window` in the
// order of its layouts: rows left to right, columns top to bottom, a grid
// row by row, nested layouts and group boxes where they stand. That is the
// order a person reads the window in, whatever order the controls were made.
void tabInLayoutOrder(QWidget *window);
