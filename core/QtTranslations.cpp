#include "core/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void useQtLanguage(Language language)
{
    // One translator for the run, owned by the application.
    static QTranslator *translator = nullptr;
    if (!translator) {
        translator = new QTranslator(QCoreApplication::instance());
        if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            return;
    }
    if (language == Language::Chinese)
        QCoreApplication::installTranslator(translator);
    else
        QCoreApplication::removeTranslator(translator);
}
