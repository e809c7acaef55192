#pragma once
// The look every result-report table shares: header cells shaded light grey
// and bold, body cells white, one width per column (a row adds up to 7.5
// inches), text columns left-aligned and number columns right-aligned, inner
// padding 6/32 inch, 10 pt text; the caption goes in front of the table.

#include <cstdint>
#include <string>
#include <vector>

#include "qvc/document/DocumentObject.h"
#include "qvc/document/Table.h"

namespace qvc::reports {

inline constexpr int32_t kHeaderShade = 225 + 225 * 256 + 225 * 65536;  // RGB(225,225,225)
inline constexpr int32_t kBodyShade = 255 + 255 * 256 + 255 * 65536;    // RGB(255,255,255)
inline constexpr float kResultCellPadding = 6.0f / 32.0f;
inline constexpr float kResultCellFontSize = 10.0f;

// Tables of up to this many rows are kept on one page (when they fit on one).
inline constexpr size_t kRowsKeptTogether = 20;

struct ResultColumn {
    float width;  // inches
    bool isText;  // left-aligned when true, right-aligned otherwise
};

// Sets the look of one cell.
void styleCell(doc::TableCell& cell, float width, bool isText, bool isHeader,
               float padding = kResultCellPadding);

// Lays out a table of `rows` rows (row 0 the header, repeated on every page the
// table runs onto; up to kRowsKeptTogether rows kept on one page) one cell at a
// time with AddCell, marking the first cell of every row, and styles every cell.
void addStyledCells(doc::Table& table, int32_t rows, const std::vector<ResultColumn>& columns,
                    float padding = kResultCellPadding);

// Cell number of (row, column), row 0 the header, column 1-based.
inline int32_t cellNumber(int32_t row, int32_t column, int32_t columnCount) {
    return row * columnCount + column;
}

// Sets the texts of row `row` (0 the header), one per column in order.
void setRowTexts(doc::Table& table, int32_t row, const std::vector<std::string>& texts);

// Writes the caption (10 pt, left) and places the table after it; a table of
// up to kRowsKeptTogether rows stays on one page.
void placeWithCaption(doc::DocumentObject& docs, doc::Table& table, const std::string& caption);

}  // namespace qvc::reports
