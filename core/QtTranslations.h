#pragma once
#include "core/Language.h"

// Qt's own texts (the buttons of message boxes, the context menus of text
// boxes and scroll bars, the companion's "Usage:" and "Options:") in `language`: Qt's Chinese translation
// for Chinese, Qt's built-in English otherwise. Without the
// translation files Qt's texts stay English.
void useQtLanguage(Language language);
