#include "reports/ResultTable.h"

#include <optional>

#include "qvc/document/Codes.h"

namespace qvc::reports {

namespace code = doc::code;

void styleCell(doc::TableCell& cell, float width, bool isText, bool isHeader, float padding) {
    cell.SetBackColor(isHeader ? kHeaderShade : kBodyShade);
    cell.SetBold(isHeader);
    cell.SetWidth(width);
    cell.SetAlignment(isText ? code::kAlignLeft : code::kAlignRight);
    cell.SetPadding(padding);
    cell.SetFontSize(kResultCellFontSize);
}

void addStyledCells(doc::Table& table, int32_t rows, const std::vector<ResultColumn>& columns,
                    float padding) {
    table.SetHeaderRows(1);
    if (rows <= static_cast<int32_t>(kRowsKeptTogether))
        table.SetKeepTogether(true);
    for (int32_t row = 0; row < rows; ++row) {
        for (size_t column = 0; column < columns.size(); ++column) {
            doc::TableCell& cell = table.AddCell();
            if (column == 0)
                cell.SetRowStart(true);
            styleCell(cell, columns[column].width, columns[column].isText, row == 0, padding);
        }
    }
}

void placeWithCaption(doc::DocumentObject& docs, doc::Table& table, const std::string& caption) {
    if (table.rowLengths().size() <= kRowsKeptTogether)
        table.SetKeepTogether(true);
    docs.AddText(caption, kResultCellFontSize, std::nullopt, 0, std::nullopt, code::kAlignLeft,
                 code::kDefaultColour, false);
    table.InsertInto(docs);
}

void setRowTexts(doc::Table& table, int32_t row, const std::vector<std::string>& texts) {
    const auto columnCount = static_cast<int32_t>(texts.size());
    for (int32_t c = 1; c <= columnCount; ++c)
        table.Cell(cellNumber(row, c, columnCount)).SetValue(texts[static_cast<size_t>(c - 1)]);
}

}  // namespace qvc::reports
