#pragma once
// Lays out the rows of a table: cells at their widths from the table's left
// edge (the text margin), text inset by the row's padding, the row as high as
// its tallest cell or its minimum height, shading over the whole cell and a
// border line on every cell edge. Positions are relative to the row's top-left.

#include <vector>

#include "ParagraphLayout.h"

namespace qvc::viewer {

struct RowBox {
    double height = 0;
    bool header = false;
    bool keepWithNext = false;
    std::vector<PageFill> fills;
    std::vector<PageLine> lines;
    std::vector<PageText> texts;
    std::vector<PageImage> images;
};

std::vector<RowBox> layoutTable(const doc::TableModel& table, TextMeasurer& measurer,
                                PictureStore& pictures, const FieldValues& fields);

}  // namespace qvc::viewer
