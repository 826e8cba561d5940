#include "link/RadioLinkWindow.h"

#include "platform/WindowRegistry.h"
#include "platform/Messages.h"
#include "platform/WindowLanguage.h"

#include <QTimer>

RadioLinkWindow::RadioLinkWindow(WindowId id, LinkKind kind, const LinkTiming &timing,
                                 WindowRegistry &registry)
    : ChildWindow(id, registry), MSC(new SerialLinkPort(this)), link(new LinkEngine(kind, timing, MSC, this)),
      Timer4(new QTimer(this))
{
    Timer4->setTimerType(Qt::PreciseTimer);
    Timer4->setSingleShot(true);
    Timer4->setInterval(kind == LinkKind::Read ? timing.readCloseMs : timing.closeMs);
    connect(Timer4, &QTimer::timeout, this, &ChildWindow::closeWindow);
    // Each link window tells of its own port: the engine shows nothing.
    connect(link, &LinkEngine::openFailed, this, &RadioLinkWindow::portOpenFailed);
    connect(link, &LinkEngine::failed, this, [this](LinkFailure why) { linkFailed(why); });
}

void RadioLinkWindow::linkFailed(LinkFailure why)
{
    const QString summary = failureSummary(why);
    showMessageWithDetails("与对讲机联络失败 ！", "Fail connect with transceiver.", summary,
                           summary + QStringLiteral("\n\n") + linkFailureDetails(linkPort(), linkFailureReason(why)));
}

QString RadioLinkWindow::failureSummary(LinkFailure why) const
{
    return linkFailureSummary(linkPort(), why);
}

NamedPort RadioLinkWindow::linkPort() const
{
    return {m_port, registry().ports().deviceFor(m_port)};
}

bool RadioLinkWindow::startLink()
{
    session().clearPortFailure();
    m_portFailed = false;
    m_port = session().port();
    MSC->setPort(m_port, registry().ports());
    MSC->setLanguage(windowLanguage());
    m_starting = true;
    link->start();
    m_starting = false;
    return link->isPortOpen();
}

void RadioLinkWindow::portOpenFailed(const QString &reason)
{
    m_portFailed = true;
    session().setPortFailure(reason);
    // A restart that finds the port gone ends a link that was under way:
    // its device went away, whatever the port setting.
    if (!m_starting) {
        linkFailed(LinkFailure::DeviceLost);
        return;
    }
    reportOutcome(portFailedText(link->kind(), m_port));
    const NamedPort port = linkPort();
    const PortProblem problem = diagnosePort(port.device, registry().ports().openFailure(port.device));
    const QString summary = portFailureSummary(port, problem, reason);
    // A port in use wants the other program closed, not the radio and
    // the cable checked.
    showMessageWithDetails("通讯端口打开错误，请正确设置通讯端口 ！",
                           "Communication port is error, please setting right communication port . ！", summary,
                           summary + QStringLiteral("\n\n")
                               + linkFailureDetails(port, reason, problem != PortProblem::InUse));
}
