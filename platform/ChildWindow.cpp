#include "platform/ChildWindow.h"

#include "platform/WindowRegistry.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>

ChildWindow::ChildWindow(WindowId id, WindowRegistry &registry, QWidget *parent)
    : QWidget(parent), m_id(id), m_registry(registry)
{
}

void ChildWindow::Form_Load()
{
    OpenFlag(m_id) = true;
}

bool ChildWindow::Form_Unload()
{
    OpenFlag(m_id) = false;
    return true;
}

bool ChildWindow::closingWithMainWindow() const
{
    return m_registry.isClosingAll();
}

bool ChildWindow::closeWindow()
{
    return m_registry.close(m_id);
}

void ChildWindow::closeEvent(QCloseEvent *event)
{
    if (!Form_Unload()) {
        event->ignore();
        return;
    }
    event->accept();
    m_registry.forget(this);
}

QSize ChildWindow::mainWindowSize() const
{
    return m_registry.mainWindow()->frameGeometry().size();
}

QSize ChildWindow::mainInnerSize() const
{
    return m_registry.mdiArea()->viewport()->size();
}

void ChildWindow::placeWindow(int left, int top, int width, int height)
{
    QWidget *frame = parentWidget() ? parentWidget() : this;
    frame->setGeometry(left, top, qMax(width, 50), qMax(height, 50));
}

int ChildWindow::twips(double value) const
{
    const QScreen *s = screen();
    const double dpi = s ? s->logicalDotsPerInchY() : 96.0;
    return qRound(value * dpi / 1440.0);
}
