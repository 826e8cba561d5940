#include "link/RadioLinkWindow.h"

#include "platform/CodeplugDocument.h"
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
    // Any end of the link gives the document back, before the window
    // takes what the link brought.
    for (auto end : {&LinkEngine::completed, &LinkEngine::portLost})
        connect(link, end, this, &RadioLinkWindow::releaseDocument);
    connect(link, &LinkEngine::failed, this, &RadioLinkWindow::releaseDocument);
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
    if (link->isPortOpen())
        holdDocument();
    return link->isPortOpen();
}

void RadioLinkWindow::holdDocument()
{
    static constexpr struct {
        LinkKind kind;
        const char *chinese;
        const char *english;
    } reasons[] = {
        {LinkKind::Read, "读取进行中：结束后才能编辑", "Reading from the radio: editing resumes when it ends"},
        {LinkKind::Write, "写入进行中：结束后才能编辑", "Writing to the radio: editing resumes when it ends"},
        {LinkKind::Power, "功率调整进行中：关闭该窗口后才能编辑",
         "Adjusting the radio's power: editing resumes when its window closes"},
    };
    for (const auto &reason : reasons)
        if (reason.kind == link->kind())
            document().lock(plainLabel(reason.chinese, reason.english));
    m_holding = true;
}

void RadioLinkWindow::releaseDocument()
{
    if (!m_holding)
        return;
    m_holding = false;
    document().unlock();
}

bool RadioLinkWindow::Form_Unload()
{
    releaseDocument();
    return ChildWindow::Form_Unload();
}

void RadioLinkWindow::portOpenFailed(const QString &reason)
{
    m_portFailed = true;
    session().setPortFailure(reason);
    releaseDocument();
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

#include "moc_RadioLinkWindow.cpp"
