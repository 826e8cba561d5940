#include "platform/ChildWindow.h"

#include "platform/WindowRegistry.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QCoreApplication>
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

QWidget *ChildWindow::frame() const
{
    return parentWidget() ? parentWidget() : const_cast<ChildWindow *>(this);
}

void ChildWindow::placeWindow(int left, int top, int width, int height)
{
    m_placement = QRect(left, top, qMax(width, 50), qMax(height, 50));
    m_placedFor = mainWindowSize();
    fitToMainWindow();
}

void ChildWindow::followMainWindow()
{
    if (frame()->geometry() == m_applied)
        fitToMainWindow();
}

void ChildWindow::fitToMainWindow()
{
    QWidget *f = frame();
    if (m_placement.isNull())
        return;
    const QSize main = mainWindowSize();
    const double sx = m_placedFor.width() > 0 ? double(main.width()) / m_placedFor.width() : 1.0;
    const double sy = m_placedFor.height() > 0 ? double(main.height()) / m_placedFor.height() : 1.0;
    // The layout's minimum for the captions of the load: the layouts take
    // the new texts once their pending requests are run.
    ensurePolished();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QSize minimum = f->minimumSizeHint().expandedTo(f->minimumSize());
    const int w = qMax(qRound(m_placement.width() * sx), minimum.width());
    const int h = qMax(qRound(m_placement.height() * sy), minimum.height());
    int left = qRound(m_placement.left() * sx);
    int top = qRound(m_placement.top() * sy);
    const QSize inner = mainInnerSize();
    left = qMax(0, qMin(left, inner.width() - w));
    top = qMax(0, qMin(top, inner.height() - h));
    f->setGeometry(left, top, w, h);
    m_applied = f->geometry();
}

int ChildWindow::twips(double value) const
{
    const QScreen *s = screen();
    const double dpi = s ? s->logicalDotsPerInchY() : 96.0;
    return qRound(value * dpi / 1440.0);
}
