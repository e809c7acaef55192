#include "RtfRowReader.h"

#include <utility>

namespace qvc::test {

bool RtfRowReader::word(const std::string& w, int v, const std::vector<RtfColour>& colours) {
    if (w == "trowd") {
        definition_ = RtfRow{};
        shading_.reset();
    } else if (w == "trhdr") {
        definition_.header = true;
    } else if (w == "trpaddl") {
        definition_.paddingLeft = v;
    } else if (w == "trrh") {
        definition_.minHeight = v;
    } else if (w == "clcbpat") {
        if (v >= 0 && static_cast<size_t>(v) < colours.size())
            shading_ = colours[static_cast<size_t>(v)];
    } else if (w == "cellx") {
        definition_.cells.emplace_back();
        definition_.cells.back().rightEdge = v;
        definition_.cells.back().shading = std::exchange(shading_, std::nullopt);
    } else if (w == "cell") {
        while (!cell.text.empty() && cell.text.back() == '\n')
            cell.text.pop_back();
        cells_.push_back(std::exchange(cell, RtfCell{}));
        cell.align = cells_.back().align;  // the alignment holds until \pard or another
    } else {
        return false;
    }
    return true;
}

RtfRow RtfRowReader::endRow() {
    RtfRow row = definition_;
    for (size_t k = 0; k < row.cells.size() && k < cells_.size(); ++k) {
        cells_[k].rightEdge = row.cells[k].rightEdge;
        cells_[k].shading = row.cells[k].shading;
        row.cells[k] = std::move(cells_[k]);
    }
    cells_.clear();
    return row;
}

}  // namespace qvc::test
