#include "platform/ChildWindow.h"

#include "core/SettingPlaces.h"
#include "platform/CodeplugDocument.h"
#include "platform/StatusPanels.h"
#include "platform/WindowRegistry.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QCoreApplication>
#include <QScopedValueRollback>
#include <QScreen>

CodeplugDocument &ChildWindow::document() const
{
    return m_registry.document();
}

Session &ChildWindow::session() const
{
    return m_registry.session();
}

const Codeplug &ChildWindow::image() const
{
    return document().image();
}

bool ChildWindow::editImage(const EditLabel &label, const std::function<void(Codeplug &)> &change, bool joinPrevious)
{
    const QScopedValueRollback<bool> ownChange(m_editing, true);
    return document().edit(label, change, joinPrevious);
}

bool ChildWindow::editSetting(const Bilingual &caption, const std::function<void(Codeplug &)> &change, bool joinPrevious)
{
    return editImage(captionLabel(caption), change, joinPrevious);
}

bool ChildWindow::editSetting(SettingId id, int value, bool joinPrevious)
{
    bool stored = false;
    editSetting(
        settingPlace(id).caption, [&](Codeplug &image) { stored = setSetting(image, id, value); }, joinPrevious);
    return stored;
}

void ChildWindow::showDocumentChange(int, int) {}

ChildWindow::ChildWindow(WindowId id, WindowRegistry &registry, QWidget *parent)
    : QWidget(parent), m_id(id), m_registry(registry)
{
    connect(&registry.document(), &CodeplugDocument::changed, this, [this](int firstRow, int lastRow) {
        if (!m_editing)
            showDocumentChange(firstRow, lastRow);
    });
}

void ChildWindow::Form_Load()
{
    session().setWindowOpen(m_id, true);
}

bool ChildWindow::Form_Unload()
{
    session().setWindowOpen(m_id, false);
    return true;
}

QWidget *ChildWindow::keyboardReturn(QWidget *last) const
{
    QWidget *home = keyboardHome();
    const bool usable = last && last->isVisible() && last->isEnabled();
    if (usable && !(home && qobject_cast<QAbstractButton *>(last)))
        return last;
    return home;
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

void ChildWindow::setMainAction(QPushButton *button)
{
    m_mainAction = button;
    // Drawn as the default button; outside a dialog Qt leaves its Enter to us.
    button->setDefault(true);
}

void ChildWindow::setEscapeButton(QPushButton *button)
{
    m_escapeButton = button;
}

QPushButton *ChildWindow::mainAction() const
{
    return m_mainAction;
}

QPushButton *ChildWindow::escapeButton() const
{
    return m_escapeButton;
}

void ChildWindow::reportOutcome(const QString &text)
{
    m_registry.statusPanels().setText(StatusPanels::Outcome, text);
}

void ChildWindow::keyPressEvent(QKeyEvent *event)
{
    // Keys the focused control left unused arrive here.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    QPushButton *target = nullptr;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        auto *focused = qobject_cast<QPushButton *>(focusWidget());
        target = focused ? focused : m_mainAction.data();
    } else if (plain && event->key() == Qt::Key_Escape) {
        target = m_escapeButton.data();
    }
    if (target && target->isVisible() && target->isEnabled()) {
        event->accept();
        target->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

QSize ChildWindow::mainWindowSize() const
{
    return m_registry.mainWindow()->frameGeometry().size();
}

QSize ChildWindow::mainInnerSize() const
{
    // The client area has its final size only once the main window has laid
    // out the menus' and status panels' latest captions: the bars' own
    // layouts run first, then the main window's, which they make stale.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    if (QLayout *mainLayout = m_registry.mainWindow()->layout())
        mainLayout->activate();
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
    const int h = qMax(qMax(qRound(m_placement.height() * sy), minimum.height()), frameHeightFor(w));
    // Every window's load centres it across the main window, so one that its
    // layout makes wider than its share grows evenly to both sides.
    int left = qRound(m_placement.left() * sx) - (w - qRound(m_placement.width() * sx)) / 2;
    int top = qRound(m_placement.top() * sy);
    const QSize inner = mainInnerSize();
    left = qMax(0, qMin(left, inner.width() - w));
    top = qMax(0, qMin(top, inner.height() - h));
    f->setGeometry(left, top, w, h);
    m_applied = f->geometry();
}

int ChildWindow::frameHeightFor(int frameWidth) const
{
    const QWidget *f = frame();
    QLayout *contents = layout();
    if (!contents || !contents->hasHeightForWidth())
        return 0;
    const int chromeWidth = f->width() - width();
    const int chromeHeight = f->height() - height();
    return contents->totalHeightForWidth(frameWidth - chromeWidth) + chromeHeight;
}

void ChildWindow::growToFitContents()
{
    QWidget *f = frame();
    const int needed = frameHeightFor(f->width());
    if (needed <= f->height())
        return;
    const bool placedByUs = f->geometry() == m_applied;
    f->resize(f->width(), needed);
    if (placedByUs)
        m_applied = f->geometry();
}

int ChildWindow::twips(double value) const
{
    const QScreen *s = screen();
    const double dpi = s ? s->logicalDotsPerInchY() : 96.0;
    return qRound(value * dpi / 1440.0);
}

#include "moc_ChildWindow.cpp"
