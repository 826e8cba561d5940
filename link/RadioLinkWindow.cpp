#include "link/RadioLinkWindow.h"

#include "core/ModuleState.h"
#include "link/LinkOutcome.h"
#include "platform/Messages.h"
#include "platform/WindowLanguage.h"

#include <QTimer>

RadioLinkWindow::RadioLinkWindow(WindowId id, LinkKind kind, const LinkTiming &timing,
                                 WindowRegistry &registry)
    : ChildWindow(id, registry), link(new LinkEngine(kind, timing, this)), Timer4(new QTimer(this))
{
    Timer4->setTimerType(Qt::PreciseTimer);
    Timer4->setSingleShot(true);
    Timer4->setInterval(kind == LinkKind::Read ? timing.readCloseMs : timing.closeMs);
    connect(Timer4, &QTimer::timeout, this, &ChildWindow::closeWindow);
    connect(link, &LinkEngine::openFailed, this, &RadioLinkWindow::portOpenFailed);
    connect(link, &LinkEngine::failed, this, [this](LinkFailure why) { linkFailed(why); });
}

void RadioLinkWindow::linkFailed(LinkFailure why)
{
    const QString summary = failureSummary(why);
    showMessageWithDetails("与对讲机联络失败 ！", "Fail connect with transceiver.", summary,
                           summary + QStringLiteral("\n\n") + linkFailureDetails(linkFailureReason(why)));
}

QString RadioLinkWindow::failureSummary(LinkFailure why) const
{
    return linkFailureSummary(why);
}

bool RadioLinkWindow::startLink()
{
    PortError = false;
    m_portErrorReason.clear();
    link->setPort(PortSpec::ofNumber(CommPortNo));
    link->setLanguage(windowLanguage());
    m_starting = true;
    link->start();
    m_starting = false;
    return link->isPortOpen();
}

void RadioLinkWindow::portOpenFailed(const QString &reason)
{
    m_portErrorReason = reason;
    PortError = true;
    // A restart that finds the port gone ends a link that was under way:
    // its device went away, whatever the port setting.
    if (!m_starting) {
        linkFailed(LinkFailure::DeviceLost);
        return;
    }
    reportOutcome(portFailedText(link->kind()));
    const QString summary = portFailureSummary(reason);
    showMessageWithDetails("通讯端口打开错误，请正确设置通讯端口 ！",
                           "Communication port is error, please setting right communication port . ！",
                           summary, summary + QStringLiteral("\n\n") + linkFailureDetails(reason));
}
