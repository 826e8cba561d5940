#pragma once
#include "core/Bilingual.h"

#include <QString>

// The caption or message of the language in use: Chinese while UseChinese
// is set, English otherwise. Texts are taken as UTF-8.
QString langText(const char *chinese, const char *english);
QString langText(const QString &chinese, const QString &english);
inline QString langText(const Bilingual &text) { return langText(text.chinese, text.english); }

// The maker's name as the main window, status bar and About box show it.
QString companyName();
