#pragma once

// Qt's own texts (the buttons of message boxes, the context menus of text
// boxes and scroll bars, the companion's "Usage:" and "Options:") in the language in use: Qt's Chinese translation
// while `chinese` is set, Qt's built-in English otherwise. Without the
// translation files Qt's texts stay English.
void useQtLanguage(bool chinese);
