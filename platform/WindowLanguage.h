#pragma once
#include "core/Bilingual.h"
#include "core/Language.h"

#include <QString>

// The windows' caption language, the running session's, which the language
// menu switches. Only the windows read it; what they call in the model gets
// windowLanguage() as an argument.
Language windowLanguage();

// The caption or message in the windows' language. Texts are taken as UTF-8.
QString langText(const char *chinese, const char *english);
QString langText(const QString &chinese, const QString &english);
inline QString langText(const Bilingual &text) { return langText(text.chinese, text.english); }
