#include "platform/StatusPanels.h"

#include <QLabel>
#include <QStatusBar>

StatusPanels::StatusPanels(QStatusBar *bar) : m_bar(bar)
{
    for (int i = 0; i < Count; ++i) {
        m_panels[i] = new QLabel(bar);
        m_panels[i]->setObjectName(QStringLiteral("StatusBar1_Panel%1").arg(i + 1));
        m_panels[i]->setFrameShape(QFrame::Panel);
        m_panels[i]->setFrameShadow(QFrame::Sunken);
        bar->addWidget(m_panels[i]);
    }
}

void StatusPanels::setText(int panel, const QString &text)
{
    Q_ASSERT(panel >= 1 && panel <= Count);
    m_texts[panel - 1] = text;
    m_panels[panel - 1]->setText(text);
    applyWidths();
}

QString StatusPanels::text(int panel) const
{
    Q_ASSERT(panel >= 1 && panel <= Count);
    return m_texts[panel - 1];
}

void StatusPanels::setWidths(int totalWidth, const int (&percent)[Count])
{
    m_total = totalWidth;
    for (int i = 0; i < Count; ++i)
        m_shares[i] = totalWidth * percent[i] / 100;
    applyWidths();
}

void StatusPanels::applyWidths()
{
    if (m_shares[0] == 0)
        return;
    for (int i = 0; i < Count; ++i)
        if (m_panels[i]->text() != m_texts[i])
            m_panels[i]->setText(m_texts[i]);
    // The bar's spacing between and around the panels.
    const int spacing = Count * 6 + 4;
    int widths[Count];
    int used = 0;
    for (int i = 0; i < Count - 1; ++i) {
        // The outcome may be a long note (a half-written radio): it keeps
        // its share and is cut, so that port, version and band stay whole.
        widths[i] = i == Outcome - 1 ? m_shares[i] : qMax(m_shares[i], m_panels[i]->sizeHint().width());
        used += widths[i];
    }
    // When the last panel's text would be cut, the others give up what
    // they hold beyond their own texts; the outcome, whose text comes and
    // goes, keeps its place.
    int missing = m_panels[Count - 1]->sizeHint().width() - (m_total - used - spacing);
    for (int i = 0; i < Count - 1 && missing > 0; ++i) {
        if (i == Outcome - 1)
            continue;
        const int spare = qBound(0, widths[i] - m_panels[i]->sizeHint().width(), missing);
        widths[i] -= spare;
        used -= spare;
        missing -= spare;
    }
    widths[Count - 1] = qMax(0, qMin(m_shares[Count - 1], m_total - used - spacing));
    for (int i = 0; i < Count; ++i) {
        fitText(i, widths[i]);
        m_panels[i]->setFixedWidth(widths[i]);
    }
}

void StatusPanels::fitText(int index, int width)
{
    QLabel *panel = m_panels[index];
    const QString &text = m_texts[index];
    const int chrome = panel->sizeHint().width() - panel->fontMetrics().horizontalAdvance(text);
    if (width >= panel->sizeHint().width() || text.isEmpty()) {
        panel->setToolTip(QString());
        return;
    }
    panel->setText(panel->fontMetrics().elidedText(text, Qt::ElideRight, qMax(0, width - chrome)));
    panel->setToolTip(text);
}
