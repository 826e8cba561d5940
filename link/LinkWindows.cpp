#include "link/LinkWindows.h"

#include "link/Form_Adjust_Txp.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "link/Form_setup.h"
#include "link/LinkOutcome.h"
#include "core/ModuleState.h"
#include "platform/Messages.h"
#include "platform/WindowRegistry.h"

void registerLinkWindows(WindowRegistry &registry)
{
    registry.registerWindow(WindowId::Form_setup, [](WindowRegistry &r) { return new Form_setup(r); });
    registry.registerWindow(WindowId::Form_Comm_Read,
                            [](WindowRegistry &r) { return new Form_Comm_Read(r); });
    registry.registerWindow(WindowId::Form_Comm_Write,
                            [](WindowRegistry &r) { return new Form_Comm_Write(r); });
    registry.registerWindow(WindowId::Form_Adjust_Txp,
                            [](WindowRegistry &r) { return new Form_Adjust_Txp(r); });
}

void showLinkMessages(LinkEngine *link)
{
    QObject::connect(link, &LinkEngine::openFailed, link, [](const QString &reason) {
        showMessageWithDetails("通讯端口打开错误，请正确设置通讯端口 ！",
                               "Communication port is error, please setting right communication port . ！",
                               linkFailureDetails(reason));
        PortError = true;
    });
    QObject::connect(link, &LinkEngine::failed, link, [](LinkFailure why) {
        showMessageWithDetails("与对讲机联络失败 ！", "Fail connect with transceiver.",
                               linkFailureDetails(linkFailureReason(why)));
    });
}
