#pragma once
#include <QString>
#include <QStringList>

// The radio's tone list, built once and never changed: entry 0 is off, then
// come the CTCSS tones (67.0 .. 254.1 Hz), the DCS codes (D023N .. D754N)
// and the same DCS codes inverted (D023I .. D754I). The tone selectors, both
// channel encodings, the VFO and the catalogue read their positions here.
class ToneTable {
public:
    enum class Kind { Off, Ctcss, DcsNormal, DcsInverted, Outside };

    static const ToneTable &instance();

    // Entries 0 .. last().
    int size() const { return int(m_texts.size()); }
    int last() const { return size() - 1; }
    Kind kind(int entry) const;
    // The entries of a kind: first(kind) .. last(kind), count(kind) of them
    // (none outside the table).
    int first(Kind kind) const;
    int count(Kind kind) const;
    int last(Kind kind) const { return first(kind) + count(kind) - 1; }

    // An entry's text ("88.5", "D023N", "D023I"); none for off, whose
    // caption the windows give in their language, and none outside the table.
    QString text(int entry) const;
    // The same in the list's own spacing, as the channel grid shows it
    // ("  100.0   ", " D271N   ").
    QString listText(int entry) const;
    // The entry of a text, spaces around it ignored, or -1.
    int indexOf(const QString &text) const;

private:
    ToneTable();

    QStringList m_texts;
    int m_ctcss = 0;
    int m_dcs = 0;
};
