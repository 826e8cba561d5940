#pragma once
#include "core/Language.h"

#include <QString>
#include <QStringList>
#include <initializer_list>

// A caption or list item in both languages, as the windows show it.
struct Bilingual {
    const char *chinese;
    const char *english;
};

inline QString bilingualText(const Bilingual &text, Language language)
{
    return langText(language, text.chinese, text.english);
}

inline QStringList bilingualItems(std::initializer_list<Bilingual> items, Language language)
{
    QStringList texts;
    for (const Bilingual &item : items)
        texts << bilingualText(item, language);
    return texts;
}

// "0", "1", ... as list items: first, first + step, ... (count items).
inline QStringList numberItems(int first, int step, int count)
{
    QStringList items;
    for (int k = 0; k < count; ++k)
        items << QString::number(first + step * k);
    return items;
}
