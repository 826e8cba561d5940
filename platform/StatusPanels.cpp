#include "platform/StatusPanels.h"

#include <QLabel>
#include <QStatusBar>

StatusPanels::StatusPanels(QStatusBar *bar)
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
    m_panels[panel - 1]->setText(text);
}

QString StatusPanels::text(int panel) const
{
    Q_ASSERT(panel >= 1 && panel <= Count);
    return m_panels[panel - 1]->text();
}

void StatusPanels::setWidths(int totalWidth, const int (&percent)[Count])
{
    for (int i = 0; i < Count; ++i)
        m_panels[i]->setFixedWidth(totalWidth * percent[i] / 100);
}
