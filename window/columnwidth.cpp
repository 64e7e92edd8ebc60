#include "window/columnwidth.h"

#include <QFontMetrics>
#include <QHash>
#include <QTreeWidget>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace {

// Rows measured exactly, per kind of row (with or without a picture).
constexpr size_t Candidates = 8;

class CharWidths
{
public:
    explicit CharWidths(const QFont &font) : m_metrics(font) { m_latin.fill(-1); }

    int of(const QString &text)
    {
        int width = 0;
        for (QChar ch : text)
            width += of(ch);
        return width;
    }

private:
    int of(QChar ch)
    {
        const char16_t code = ch.unicode();
        if (code < m_latin.size()) {
            int &known = m_latin[code];
            if (known < 0)
                known = m_metrics.horizontalAdvance(ch);
            return known;
        }
        auto found = m_other.constFind(code);
        if (found == m_other.constEnd())
            found = m_other.insert(code, m_metrics.horizontalAdvance(ch));
        return *found;
    }

    QFontMetrics m_metrics;
    std::array<int, 256> m_latin{};
    QHash<char16_t, int> m_other;
};

struct Row
{
    int estimate;
    QTreeWidgetItem *item;
    int depth;
};

// The widest few rows of one kind, widest first.
class Widest
{
public:
    void offer(const Row &row)
    {
        if (m_rows.size() == Candidates && row.estimate <= m_rows.back().estimate)
            return;
        auto at = std::upper_bound(m_rows.begin(), m_rows.end(), row,
                                   [](const Row &a, const Row &b) { return a.estimate > b.estimate; });
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
        for (const Row &row : m_rows) {
            const int measured = exact(row.item, row.depth);
            widest = std::max(widest, measured);
            error = std::max(error, measured - row.estimate);
        }
        return std::max(widest, m_rows.front().estimate + error);
    }

private:
    std::vector<Row> m_rows;
};

} // namespace

int WidestEntryWidth(QTreeWidget *tree, int column, const QFont &font,
                     const std::function<int(QTreeWidgetItem *, int)> &exact)
{
    CharWidths chars(font);
    const int indentation = column == 0 ? tree->indentation() : 0;
    Widest plain;
    Widest pictured;
    std::vector<std::pair<QTreeWidgetItem *, int>> pending;
    for (int i = tree->topLevelItemCount() - 1; i >= 0; --i)
        pending.emplace_back(tree->topLevelItem(i), 0);
    while (!pending.empty()) {
        const auto [item, depth] = pending.back();
        pending.pop_back();
        for (int i = item->childCount() - 1; i >= 0; --i)
            pending.emplace_back(item->child(i), depth + 1);
        const QString text = item->text(column);
        const bool picture = item->data(column, Qt::DecorationRole).isValid();
        if (text.isEmpty() && !picture)
            continue;
        const Row row{chars.of(text) + indentation * depth, item, depth};
        (picture ? pictured : plain).offer(row);
    }
    return std::max(plain.width(exact), pictured.width(exact));
}
