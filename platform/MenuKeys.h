#pragma once

class QMenuBar;
class QWidget;

// The menu bar by keyboard without mnemonics in the captions: F10 opens the
// first menu, Alt pressed and released alone highlights the bar, and the
// arrow keys, Enter and Escape move through it as in other desktop programs.
void enableMenuKeys(QWidget *mainWindow, QMenuBar *bar);
