#pragma once
#include <QString>

class QLabel;
class QStatusBar;

// The main window's eight numbered status panels (1..8). Child windows
// write through it, for example the port window's panel 3.
class StatusPanels {
public:
    static constexpr int Count = 8;
    // The panel beside "State": the outcome of the last link or file action.
    static constexpr int Outcome = 2;

    explicit StatusPanels(QStatusBar *bar);

    void setText(int panel, const QString &text);
    // The whole text, also while the panel shows it shortened.
    QString text(int panel) const;
    // Fixes each panel's width as a share (per cent) of `totalWidth`; a
    // panel is never narrower than its text, and the last one gives up
    // what the others and the bar's own spacing take beyond the total.
    void setWidths(int totalWidth, const int (&percent)[Count]);

private:
    void applyWidths();
    // A panel narrower than its text shows it cut with "…" and whole as its
    // tooltip.
    void fitText(int index, int width);

    QStatusBar *m_bar;
    QLabel *m_panels[Count];
    QString m_texts[Count];
    int m_total = 0;
    int m_shares[Count] = {};
};
