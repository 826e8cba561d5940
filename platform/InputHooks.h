#pragma once
#include <functional>

class QComboBox;
class QEvent;
class QWidget;

// Focus and list hooks in the manner of the editors (keys and pastes go
// through platform/KeyFilter).

// A focus loss to another control of the program; not a switch to another
// application and not a popup menu.
bool isRealFocusLoss(const QEvent *event);
void onFocusLost(QWidget *target, std::function<void()> handler);

// A list whose edit field takes typed text (a list with a Change handler):
// `changed` runs with the item that the typed text selects, which is the
// item of that exact text or, when the text matches none, the first item.
void onListTextTyped(QComboBox *list, std::function<void()> changed);

// Enabled fields are drawn with the window colour, disabled ones with the
// button-face colour.
void setFieldEnabled(QWidget *field, bool enabled);
