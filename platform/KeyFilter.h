#pragma once
#include <QChar>
#include <QString>
#include <functional>

class QAction;
class QComboBox;
class QMenu;
class QKeyEvent;
class QWidget;

// The one key and paste filter of every editor. A box's rule sees each
// character before the box does and may discard it; a paste reaches the box
// as its characters typed one after another, so it keeps exactly what
// typing would have kept.

namespace TypedKey {
constexpr QChar Backspace(8);
constexpr QChar Enter(13);
} // namespace TypedKey

// The character a key types: Backspace and Enter as TypedKey's characters,
// a printable character as itself. Keys that type nothing (movement keys,
// Tab, Delete, Escape, shortcuts with Ctrl, Alt or Meta) give a null QChar
// and always reach the box.
QChar typedCharacter(const QKeyEvent *event);

// What a box takes, as data. The checks run in this order; the first that
// discards the key ends them, and `handler` runs only for a key that passed
// the others.
struct KeyRule {
    // The characters taken besides Backspace and Enter; empty with
    // `anyCharacter` set takes every printable character.
    QString characters;
    bool anyCharacter = false;
    bool backspace = true;
    bool enter = false;
    // While the trimmed text holds `limit` characters or more, the
    // characters of `limited` (every character when empty) are discarded;
    // Backspace and Enter do not count as characters here. 0: no limit.
    int limit = 0;
    QString limited;
    // "." is discarded while the trimmed text is empty.
    bool noLeadingPoint = false;
    // Lower-case letters are entered in upper case.
    bool upperCase = false;
    // The window's own handler, in the manner of a KeyPress event: it may
    // act on the key and returns true to discard it.
    std::function<bool(QChar)> handler;

    static KeyRule only(const char *characters);
    static KeyRule anything();
};

extern const char *const Digits;         // "0123456789"
extern const char *const DecimalDigits;  // digits and "."

// Filters the keys and pastes of a text box, or of a list's edit field,
// through `rule`.
void filterKeys(QWidget *box, KeyRule rule);

// The paste item of a text box's standard context menu.
QAction *pasteAction(QMenu *lineEditMenu);

// A list whose value can only be chosen: every character key is discarded.
void discardTypedKeys(QComboBox *list);

// Every key that types a character goes to `handler` (a KeyPress event),
// which returns true to discard it.
void onCharacterKey(QWidget *box, std::function<bool(QChar)> handler);
