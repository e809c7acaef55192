#pragma once
// A table under construction. A new one per table: Attach it to the document,
// lay out its cells with Define or AddCell, fill them through Cell(n), then
// InsertInto the document at the insertion point.
//
// Columns are sized from the texts they hold when the table is inserted: no
// figure and no word is broken inside, the widths asked for being kept where
// the texts allow it (see SetHeaderRows for the rows kept together).
//
// Rows: cell 1 always starts a row; any later cell starts a row when it is marked
// with SetRowStart(true) (Define marks the running numbers it is given). Cells are
// owned by the table; references from Cell/AddCell stay valid until it is destroyed.

#include <algorithm>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "qvc/document/Export.h"
#include "qvc/document/TableCell.h"

namespace qvc::doc {

class DocumentObject;

class QVC_DOCUMENT_EXPORT Table {
  public:
    void Attach(DocumentObject& docs);
    // Makes exactly `cellCount` cells; `rowStarts` are the 1-based running numbers
    // that begin a row (1 need not be listed). Out-of-range numbers raise Error 9.
    void Define(int32_t cellCount, std::span<const int32_t> rowStarts);
    TableCell& AddCell();
    // Cell n (1-based); a number beyond the last cell adds cells up to it.
    // n < 1 raises Error 9.
    TableCell& Cell(int32_t n);
    void SetHeaderRow(bool on) { headerRows_ = on ? 1 : 0; }
    // The first `count` rows are headings: repeated at the top of every page
    // the table continues on, and kept on one page with the first body row.
    void SetHeaderRows(int32_t count) { headerRows_ = std::max(0, count); }
    // The last row sums up the rows above it: it is kept on one page with the
    // two rows before it.
    void SetTotalsRow(bool on) { totalsRow_ = on; }
    // A caption the viewer repeats above the heading rows on every page the
    // table continues on (bold, in the document's text size).
    void SetContinuedCaption(std::string_view text) { continuedCaption_ = std::string(text); }
    // The whole table stays on one page when it fits on one.
    void SetKeepTogether(bool on) { keepTogether_ = on; }
    // Places the table at the insertion point of the active document. An open
    // paragraph (the caption) is ended first and kept on the page of the table.
    // A table without cells raises Error 5.
    void InsertInto(DocumentObject& docs);

    int32_t CellCount() const { return static_cast<int32_t>(cells_.size()); }
    bool headerRow() const { return headerRows_ > 0; }
    int32_t headerRows() const { return headerRows_; }
    // The rows as the table will be laid out: the cell counts per row.
    std::vector<int32_t> rowLengths() const;

  private:
    void markKeptRows(TableModel& table) const;

    std::deque<TableCell> cells_;
    int32_t headerRows_ = 0;
    bool totalsRow_ = false;
    bool keepTogether_ = false;
    std::optional<std::string> continuedCaption_;
    DocumentObject* attached_ = nullptr;
};

}  // namespace qvc::doc
