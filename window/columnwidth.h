#pragma once

#include <QFontMetrics>
#include <QHash>

#include <array>
#include <functional>
#include <vector>

class QFont;
class QString;
class QTreeWidgetItem;

// Estimates how wide texts are drawn in one font from the widths of their
// characters, each measured once. Shaping every text to measure it costs
// microseconds, too much for tens of thousands of rows.
class TextWidthEstimate
{
public:
    explicit TextWidthEstimate(const QFont &font);
    [[nodiscard]] int of(const QString &text);

private:
    int of(QChar character);

    QFontMetrics m_metrics;
    std::array<int, 256> m_latin{};
    QHash<char16_t, int> m_other;
};

// One entry of a tree's column: its row, the row's depth (0 at the top), the
// estimated width of its text with the row's indentation, and whether the
// entry has a picture (entries with and without one are judged apart).
struct ColumnEntry
{
    QTreeWidgetItem *item;
    int depth;
    int estimate;
    bool pictured;
};

// The width the widest of entries needs. Only the entries estimated widest
// are measured, with exact (given the row and its depth); the error of the
// estimate, learnt from those, is added to the widest estimate, so an entry
// misjudged slightly is still covered.
[[nodiscard]] int WidestEntryWidth(const std::vector<ColumnEntry> &entries,
                                   const std::function<int(QTreeWidgetItem *, int)> &exact);
