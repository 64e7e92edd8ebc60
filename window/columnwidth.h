#pragma once

#include <functional>

class QTreeWidget;
class QTreeWidgetItem;
class QFont;

// The width a column needs for its widest entry over every row of a tree,
// open or closed, shown or hidden. Shaping each text to measure it costs
// microseconds, too much for tens of thousands of rows; so every text is
// estimated from cached character widths, and only the rows estimated
// widest are measured with exact (the row and its depth, 0 at the top).
// The error of the estimate, learnt from those rows, is added to the
// widest estimate, so a row misjudged slightly is still covered.
int WidestEntryWidth(QTreeWidget *tree, int column, const QFont &font,
                     const std::function<int(QTreeWidgetItem *, int)> &exact);
