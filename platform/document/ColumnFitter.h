#pragma once
// Sizes the columns of a table from the texts they hold, so that no figure and
// no word is ever broken inside: every column becomes at least as wide as the
// widest unbreakable piece of text in it (a figure, such as "$ -1,145,175",
// whole; otherwise the longest word) plus the cell padding. The width a narrow
// column needs is taken from the other columns: first from text columns down
// to the width of their longest line, then from text columns down to their
// longest word, and only then from number columns. When that is not enough the
// table grows up to `maxWidthTwips`.
//
// Columns are the strips between the cell edges of all rows, so a cell that
// spans several columns (a group heading) keeps spanning the same ones.

#include <cstdint>
#include <string_view>

#include "qvc/document/Model.h"

namespace qvc::doc::detail {

// What one cell needs, in twips, padding included.
struct CellNeed {
    int32_t minimum = 0;  // the widest figure or word
    int32_t natural = 0;  // the widest line, unwrapped
    bool figure = false;  // holds a figure and no words
    bool empty = true;
};

// A line holds a figure when it has a digit and no letter; it then breaks nowhere.
bool isFigure(std::string_view line);

CellNeed measureCell(const TableCellModel& cell, int32_t paddingLeftRightTwips);

// Widens every column that is narrower than it needs. Returns false when the
// columns cannot all get their width within `maxWidthTwips` (the table is then
// left as it was).
bool fitColumns(TableModel& table, int32_t maxWidthTwips);

}  // namespace qvc::doc::detail
