#include "shell/AboutTexts.h"

#include "core/Codeplug.h"
#include "core/Texts.h"
#include "platform/WindowLanguage.h"

AboutTextSet AboutTexts;

void RebuildAboutTexts()
{
    AboutTexts.title = langText(QStringLiteral("KVD9 系列对讲机编程软件"),
                                companyName(windowLanguage()) + QStringLiteral(" KVD9 series program software. "));
    AboutTexts.version = langText("版本 ", "Version ") + VersionText;
    AboutTexts.description = langText(
        "本软件由北港无线电有限公司设计，用于 KVD9 系列对讲机的编程。",
        "This software was designed by North Harbor Radio Co. to program the KVD9 series of radios.");
    AboutTexts.disclaimer = langText(
        "警告：本软件受著作权法保护。未经授权复制或分发本软件或其任何部分，将承担法律责任。",
        "Warning: this program is protected by copyright law. Unauthorized copying or "
        "distribution of this program, or any portion of it, may result in legal penalties.");
    AboutTexts.ok = langText("确定", "Confirm");
    AboutTexts.sysInfo = langText("系统信息(&S)...", "System Information(&S)...");
}
