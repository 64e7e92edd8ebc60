#include "window/columnwidth.h"

#include <QFontMetrics>
#include <QHash>
#include <QTreeWidget>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

TextWidthEstimate::TextWidthEstimate(const QFont &font) : m_metrics(font)
{
    m_latin.fill(-1);
}

int TextWidthEstimate::of(const QString &text)
{
    int width = 0;
    for (QChar character : text)
        width += of(character);
    return width;
}

int TextWidthEstimate::of(QChar character)
{
    const char16_t code = character.unicode();
    if (code < m_latin.size()) {
        int &known = m_latin[code];
        if (known < 0)
            known = m_metrics.horizontalAdvance(character);
        return known;
    }
    auto found = m_other.constFind(code);
    if (found == m_other.constEnd())
        found = m_other.insert(code, m_metrics.horizontalAdvance(character));
    return *found;
}

namespace {

// Rows measured exactly, per kind of row (with or without a picture).
constexpr size_t Candidates = 8;

// The widest few rows of one kind, widest first.
class Widest
{
public:
    void offer(const ColumnEntry &row)
    {
        if (m_rows.size() == Candidates && row.estimate <= m_rows.back().estimate)
            return;
        auto at = std::upper_bound(
            m_rows.begin(), m_rows.end(), row,
            [](const ColumnEntry &a, const ColumnEntry &b) { return a.estimate > b.estimate; });
        m_rows.insert(at, row);
        if (m_rows.size() > Candidates)
            m_rows.pop_back();
    }

    int width(const std::function<int(QTreeWidgetItem *, int)> &exact) const
    {
        if (m_rows.empty())
            return 0;
        int widest = 0;
        int error = 0;
        for (const ColumnEntry &row : m_rows) {
            const int measured = exact(row.item, row.depth);
            widest = std::max(widest, measured);
            error = std::max(error, measured - row.estimate);
        }
        return std::max(widest, m_rows.front().estimate + error);
    }

private:
    std::vector<ColumnEntry> m_rows;
};

} // namespace

int WidestEntryWidth(const std::vector<ColumnEntry> &entries,
                     const std::function<int(QTreeWidgetItem *, int)> &exact)
{
    Widest plain;
    Widest pictured;
    for (const ColumnEntry &entry : entries)
        (entry.pictured ? pictured : plain).offer(entry);
    return std::max(plain.width(exact), pictured.width(exact));
}
