#pragma once
#include "core/Bilingual.h"

#include <QString>

// The caption or message of the language in use: Chinese while UseChinese
// is set, English otherwise. Texts are taken as UTF-8.
QString langText(const char *chinese, const char *english);
QString langText(const QString &chinese, const QString &english);
inline QString langText(const Bilingual &text) { return langText(text.chinese, text.english); }

// A system error (an errno value, or the text Qt gave for one) in the
// language in use. Qt gives these texts in English only; the common ones
// have a Chinese text, and any other stays as the system gave it.
QString systemErrorText(int error);
QString systemErrorText(const QString &systemText);

// The maker's name as the main window, status bar and About box show it.
QString companyName();
