#include "qvc/document/Table.h"

#include <fmt/format.h>

#include <algorithm>

#include "ColumnFitter.h"
#include "Convert.h"
#include "DocumentEditor.h"
#include "qvc/document/DocumentObject.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::doc {

using rt::Error;
namespace err = rt::err;

namespace {

constexpr int32_t kMinCellTwips = 360;  // 0.25 in for a cell without a width
// The smallest text a table is set in to fit its figures onto the page.
constexpr int32_t kSmallestHalfPoints = 14;  // 7 pt

// One cell as the document holds it: its text in the table's format with the
// cell's own type, `share` being the width of a cell that asks for none.
TableCellModel cellModel(const TableCell& cell, const CharFormat& base, int32_t share) {
    CharFormat f = base;
    f.bold = cell.bold();
    f.italic = false;
    f.underline = cell.Font().underline();
    f.colour = Rgb{};
    if (cell.fontSize()) {
        f.halfPoints = detail::pointsToHalfPoints(*cell.fontSize());
    }
    if (cell.fontName()) {
        f.font = *cell.fontName();
    }
    TableCellModel m;
    int32_t w = detail::inchesToTwips(cell.width());
    m.widthTwips = w > 0 ? w : share;
    m.shading = cell.backColor();
    m.align = cell.alignment();
    m.valign = cell.verticalAlignment();
    Paragraph p;
    p.align = cell.alignment();
    p.endFormat = f;
    p.runs = detail::textRuns(cell.value(), f);
    m.paragraphs.push_back(std::move(p));
    return m;
}

// The row of `length` cells from `first`: cells without a width share the room
// the others leave; the row takes the widest padding and tallest height asked.
TableRowModel rowModel(const std::deque<TableCell>& cells, size_t first, int32_t length,
                       const CharFormat& base, int32_t textWidth) {
    TableRowModel row;
    int32_t fixed = 0;
    int32_t unset = 0;
    int32_t padding = 0;
    for (size_t c = first; c < first + static_cast<size_t>(length); ++c) {
        int32_t w = detail::inchesToTwips(cells[c].width());
        fixed += w;
        unset += w == 0 ? 1 : 0;
        padding = std::max(padding, detail::inchesToTwips(cells[c].padding()));
        row.minHeightTwips =
            std::max(row.minHeightTwips, detail::inchesToTwips(cells[c].cellMeasure()));
    }
    int32_t share = unset ? std::max(kMinCellTwips, (textWidth - fixed) / unset) : 0;
    row.paddingLeftRightTwips = padding / 2;
    row.paddingTopBottomTwips = padding / 4;
    for (size_t c = first; c < first + static_cast<size_t>(length); ++c) {
        row.cells.push_back(cellModel(cells[c], base, share));
    }
    return row;
}

int32_t tableWidth(const TableModel& table) {
    int32_t widest = 0;
    for (const TableRowModel& row : table.rows) {
        int32_t x = 0;
        for (const TableCellModel& cell : row.cells) {
            x += cell.widthTwips;
        }
        widest = std::max(widest, x);
    }
    return widest;
}

int32_t largestText(const TableModel& table) {
    int32_t largest = 0;
    for (const TableRowModel& row : table.rows) {
        for (const TableCellModel& cell : row.cells) {
            for (const Paragraph& p : cell.paragraphs) {
                largest = std::max(largest, p.endFormat.halfPoints);
                for (const Run& r : p.runs) {
                    largest = std::max(largest, r.format.halfPoints);
                }
            }
        }
    }
    return largest;
}

// One point smaller, every text of the table.
void shrinkText(TableModel& table) {
    const auto smaller = [](CharFormat& f) {
        f.halfPoints = std::max(kSmallestHalfPoints, f.halfPoints - 2);
    };
    for (TableRowModel& row : table.rows) {
        for (TableCellModel& cell : row.cells) {
            for (Paragraph& p : cell.paragraphs) {
                smaller(p.endFormat);
                for (Run& r : p.runs) {
                    smaller(r.format);
                }
            }
        }
    }
}

// Sizes the columns from their texts within the wider of the page's text width
// and the table's own width; when the texts do not fit even so, the table's
// text is set a point smaller at a time (down to 7 pt) until they do.
void fitToPage(TableModel& table, int32_t textWidth) {
    const int32_t maxWidth = std::max(textWidth, tableWidth(table));
    while (!detail::fitColumns(table, maxWidth) && largestText(table) > kSmallestHalfPoints) {
        shrinkText(table);
    }
}

}  // namespace

void Table::Attach(DocumentObject& docs) {
    attached_ = &docs;
}

void Table::Define(int32_t cellCount, std::span<const int32_t> rowStarts) {
    if (cellCount < 1) {
        throw Error(err::kInvalidProcedureCall, "A table needs at least one cell");
    }
    for (int32_t start : rowStarts) {
        if (start < 1 || start > cellCount) {
            throw Error(err::kSubscriptOutOfRange,
                        fmt::format("Row start {} is not a cell of the table", start));
        }
    }
    cells_.clear();
    cells_.resize(static_cast<size_t>(cellCount));
    for (int32_t start : rowStarts) {
        cells_[static_cast<size_t>(start - 1)].SetRowStart(true);
    }
}

TableCell& Table::AddCell() {
    return cells_.emplace_back();
}

TableCell& Table::Cell(int32_t n) {
    if (n < 1 || n > 100000) {
        throw Error(err::kSubscriptOutOfRange, fmt::format("There is no table cell number {}", n));
    }
    while (static_cast<int32_t>(cells_.size()) < n) {
        cells_.emplace_back();
    }
    return cells_[static_cast<size_t>(n - 1)];
}

std::vector<int32_t> Table::rowLengths() const {
    std::vector<int32_t> rows;
    for (size_t i = 0; i < cells_.size(); ++i) {
        if (i == 0 || cells_[i].rowStart()) {
            rows.push_back(0);
        }
        ++rows.back();
    }
    return rows;
}

void Table::markKeptRows(TableModel& table) const {
    std::vector<TableRowModel>& rows = table.rows;
    const size_t count = rows.size();
    const size_t headers = std::min(count, static_cast<size_t>(headerRows_));
    for (size_t r = 0; r < headers; ++r) {
        rows[r].header = true;
    }
    // The headings with the first two body rows.
    for (size_t r = 0; headers > 0 && r < std::min(count - 1, headers + 1); ++r) {
        rows[r].keepWithNext = true;
    }
    // The totals with the two rows above them (body rows only).
    if (totalsRow_) {
        for (size_t r = std::max(headers, count >= 3 ? count - 3 : 0); r + 1 < count; ++r) {
            rows[r].keepWithNext = true;
        }
    }
    if (keepTogether_) {
        for (size_t r = 0; r + 1 < count; ++r) {
            rows[r].keepWithNext = true;
        }
    }
}

void Table::InsertInto(DocumentObject& docs) {
    if (cells_.empty()) {
        throw Error(err::kInvalidProcedureCall, "A table without cells cannot be inserted");
    }
    DocumentEditor& ed = docs.activeEditor();
    const CharFormat base = ed.format();
    const int32_t textWidth = ed.page().textWidth();

    TableModel table;
    table.rowsUnbroken = docs.textFlag(code::kFlagKeepTables);
    size_t next = 0;
    for (int32_t length : rowLengths()) {
        table.rows.push_back(rowModel(cells_, next, length, base, textWidth));
        next += static_cast<size_t>(length);
    }
    if (continuedCaption_) {
        Paragraph caption;
        caption.endFormat = base;
        caption.endFormat.bold = true;
        caption.runs = detail::textRuns(*continuedCaption_, caption.endFormat);
        table.continuedCaption = std::move(caption);
    }
    markKeptRows(table);  // first: the heading rows count apart when sizing
    fitToPage(table, textWidth);
    ed.closeParagraph(true);
    ed.addBlock(std::move(table));
}

}  // namespace qvc::doc
