#pragma once
#include <QString>

// The caption or message of the language in use: Chinese while UseChinese
// is set, English otherwise. Texts are taken as UTF-8.
QString langText(const char *chinese, const char *english);
QString langText(const QString &chinese, const QString &english);

// The maker's name as the main window, status bar and About box show it.
QString companyName();
