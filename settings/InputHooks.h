#pragma once
#include <QChar>
#include <functional>

class QComboBox;
class QWidget;

// Key and focus hooks in the manner of the editors: a handler sees each
// character key before the control does and may discard it, and a handler
// runs when the control loses the focus to another control of the program.

// The character of a typed key: Backspace is QChar(8), Enter QChar(13).
// Navigation keys, Delete and Ctrl/Alt shortcuts are not character keys and
// always reach the control.
using CharacterKeyHandler = std::function<bool(QChar)>; // true discards the key
void onCharacterKey(QWidget *target, CharacterKeyHandler handler);

// Focus loss to another control; not a switch to another application and
// not a popup menu.
void onFocusLost(QWidget *target, std::function<void()> handler);

// A list whose value can only be chosen: every character key is discarded.
void discardTypedKeys(QComboBox *list);

// A list whose edit field takes typed text (a list with a Change handler):
// `changed` runs with the item that the typed text selects, which is the
// item of that exact text or, when the text matches none, the first item.
void onListTextTyped(QComboBox *list, std::function<void()> changed);

// Enabled fields are drawn with the window colour, disabled ones with the
// button-face colour.
void setFieldEnabled(QWidget *field, bool enabled);
