#pragma once
#include <QString>

// The About box's six texts. They are kept for the run and rebuilt when
// the language changes; the box copies them when it loads.
struct AboutTextSet {
    QString title;
    QString version;
    QString description;
    QString disclaimer;
    QString ok;
    QString sysInfo;
};

extern AboutTextSet AboutTexts;

// The software version the status bar and the About box show.
inline const QString VersionText = QStringLiteral("Ver1.1");

void RebuildAboutTexts();
