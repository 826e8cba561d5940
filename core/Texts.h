#pragma once
#include "core/Bilingual.h"

#include <QString>

inline QString langText(Language language, const Bilingual &text) { return bilingualText(text, language); }

// A system error (an errno value, or the text Qt gave for one) in the
// language given. Qt gives these texts in English only; the common ones
// have a Chinese text, and any other stays as the system gave it.
QString systemErrorText(int error, Language language);
QString systemErrorText(const QString &systemText, Language language);

// The maker's name as the main window, status bar and About box show it.
QString companyName(Language language);
