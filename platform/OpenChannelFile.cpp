#include "platform/OpenChannelFile.h"

#include "core/ChannelEdits.h"
#include "core/ChannelFile.h"
#include "core/Texts.h"
#include "platform/ChildWindow.h"
#include "platform/CodeplugDocument.h"
#include "platform/Messages.h"
#include "platform/WindowLanguage.h"

#include <QDir>
#include <QFileInfo>

bool openChannelFile(ChildWindow &window, const QString &path)
{
    CodeplugDocument &document = window.document();
    if (document.isLocked()) {
        // A link moves the image: nothing is loaded, and panel 2 says why.
        window.reportOutcome(document.lockReason());
        return false;
    }
    Codeplug loaded = window.image();
    QString error;
    if (!loadChannelFile(path, loaded, error, windowLanguage())) {
        showMessage(langText("信道参数文件未调入。", "The channel parameter file was not loaded.") + QLatin1Char('\n')
                    + error);
        return false;
    }
    window.editImage({QStringLiteral("打开 ") + QFileInfo(path).fileName(),
                      QStringLiteral("opening ") + QFileInfo(path).fileName()},
                     [&](Codeplug &image) {
                         image = loaded;
                         settleArrivedImage(image);
                     });
    document.markSaved();
    window.session().setChannelFileName(path);
    window.reportOutcome(langText("已载入 %1", "Loaded %1").arg(QDir::toNativeSeparators(path)));
    showMessage("信道参数从文件调入成功 ！", "Succeed fold the channel parameter from file.");
    return true;
}
