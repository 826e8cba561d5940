#pragma once
#include <QString>

class QWidget;

// The help of each window: a short page in the current language, shown in
// one help window that stays open beside the program.

// The resource of `window`'s page (its object name) in the current language.
QString helpPagePath(const QString &window);
// Shows the page of `window`; returns the viewer, or nullptr without a page.
QWidget *showHelp(const QString &window, QWidget *parent);
// Gives `window` its help: its Help button (when it has one) and F1.
void connectHelp(QWidget *window);
