#pragma once
#include "platform/ChildWindow.h"
#include "link/LinkOutcome.h"
#include "serial/LinkEngine.h"

class QTimer;

// A child window that owns one link with the radio: the read, write and
// power windows. It shows the messages every link window shows, handles its
// link's failure to open the port, tells the session whether the port
// opened, and has Timer4, which closes the window a set time after the
// link's end (200 ms after a read, 500 ms otherwise).
class RadioLinkWindow : public ChildWindow {
    Q_OBJECT
public:
    // The serial port the link opens: the session's port, set at each start.
    SerialLinkPort *const MSC;
    LinkEngine *const link;
    QTimer *const Timer4;

    // Ends the window's hold on the document, as any end of its link does.
    bool Form_Unload() override;

protected:
    RadioLinkWindow(WindowId id, LinkKind kind, const LinkTiming &timing, WindowRegistry &registry);

    // Starts the link on the port the port window chose; false when the
    // port cannot be opened, which the port error message has then told.
    bool startLink();
    // The port the link opened last, with its device.
    NamedPort linkPort() const;
    // The last start could not open the port.
    bool portFailed() const { return m_portFailed; }

    // The link gave up: the failure message. Windows add what they show.
    virtual void linkFailed(LinkFailure why);
    // The line under the failure message that a person can act on.
    virtual QString failureSummary(LinkFailure why) const;

private:
    void portOpenFailed(const QString &reason);
    // While the link is under way the document refuses every change, so
    // that the radio gets, and the windows show, one image.
    void holdDocument();
    void releaseDocument();

    PortSpec m_port;
    bool m_portFailed = false;
    bool m_starting = false;
    bool m_holding = false;
};
