#pragma once
// Helpers shared by the settings window tests.
#include "support/TestSupport.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

// Chooses a list item as a person does: opens the list, moves to the item
// and takes it with Enter.
inline void chooseItem(QComboBox *list, int index)
{
    list->showPopup();
    QAbstractItemView *view = list->view();
    view->setCurrentIndex(view->model()->index(index, list->modelColumn()));
    QTest::keyClick(view, Qt::Key_Return);
    QApplication::processEvents();
}

// Moves the focus to `next` by clicking it, so the box that had the focus
// loses it; then lets queued focus changes happen.
inline void clickInto(QWidget *next)
{
    QTest::mouseClick(next, Qt::LeftButton, {}, QPoint(4, next->height() / 2));
    QApplication::processEvents();
}

// Window tests need an active main window for focus changes offscreen.
inline void activate(QWidget *mainWindow)
{
    mainWindow->activateWindow();
    QApplication::setActiveWindow(mainWindow);
    QApplication::processEvents();
}

// Clicks into a box, selects all of its text and types `text` over it.
inline void typeInto(QLineEdit *box, const QString &text)
{
    clickInto(box);
    box->selectAll();
    QTest::keyClicks(box, text);
}
