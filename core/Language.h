#pragma once
#include <QString>

// The language of the captions and messages a function makes. Whatever makes
// text takes it as an argument: the windows pass their current language,
// the companion the one it chose at its start.
enum class Language { English, Chinese };

// `chinese` or `english`, as `language` picks; texts are taken as UTF-8.
inline QString langText(Language language, const char *chinese, const char *english)
{
    return QString::fromUtf8(language == Language::Chinese ? chinese : english);
}

inline QString langText(Language language, const QString &chinese, const QString &english)
{
    return language == Language::Chinese ? chinese : english;
}
