#include "TableLayout.h"

#include <algorithm>

namespace qvc::viewer {

namespace {

constexpr double pt(int32_t twips) {
    return twips / double(doc::kTwipsPerPoint);
}

QColor colourOf(const doc::Rgb& c) {
    return QColor(c.r, c.g, c.b);
}

struct CellContent {
    std::vector<ParagraphBox> paragraphs;
    double height = 0;
};

// Draws the cell's shading and borders, then its paragraphs at the cell's
// vertical alignment, into the row box; the cell spans x .. x + width.
void placeCell(const doc::TableCellModel& cell, const CellContent& c, double x, double border,
               double padX, double padY, RowBox& box) {
    const double w = pt(cell.widthTwips);
    const double height = box.height;
    if (cell.shading) {
        box.fills.push_back(PageFill{QRectF(x, 0, w, height), colourOf(*cell.shading)});
    }
    if (border > 0) {
        box.lines.push_back(PageLine{QLineF(x, 0, x + w, 0), border});
        box.lines.push_back(PageLine{QLineF(x, height, x + w, height), border});
        box.lines.push_back(PageLine{QLineF(x, 0, x, height), border});
        box.lines.push_back(PageLine{QLineF(x + w, 0, x + w, height), border});
    }
    double free = height - 2 * padY - c.height;
    double y = padY;
    if (cell.valign == doc::VAlign::Centre) {
        y += free / 2;
    } else if (cell.valign == doc::VAlign::Bottom) {
        y += free;
    }
    for (const ParagraphBox& p : c.paragraphs) {
        for (const LineBox& line : p.lines) {
            for (const PageText& t : line.texts) {
                PageText placed = t;
                placed.baseline += QPointF(x + padX, y + line.baseline);
                box.texts.push_back(std::move(placed));
            }
            for (const PageImage& im : line.images) {
                PageImage placed = im;
                placed.rect.translate(x + padX, y);
                box.images.push_back(std::move(placed));
            }
            y += line.height;
        }
        y += p.spaceAfter;
    }
}

}  // namespace

std::vector<RowBox> layoutTable(const doc::TableModel& table, TextMeasurer& measurer,
                                PictureStore& pictures, const FieldValues& fields) {
    std::vector<RowBox> rows;
    const double border = pt(table.borderTwips);
    for (const doc::TableRowModel& row : table.rows) {
        const double padX = pt(row.paddingLeftRightTwips);
        const double padY = pt(row.paddingTopBottomTwips);
        std::vector<CellContent> contents;
        double height = pt(row.minHeightTwips);
        for (const doc::TableCellModel& cell : row.cells) {
            CellContent c;
            double inner = std::max(1.0, pt(cell.widthTwips) - 2 * padX);
            for (const doc::Paragraph& p : cell.paragraphs) {
                c.paragraphs.push_back(layoutParagraph(p, inner, measurer, pictures, fields));
                c.height += c.paragraphs.back().height();
            }
            height = std::max(height, c.height + 2 * padY);
            contents.push_back(std::move(c));
        }

        RowBox box;
        box.height = height;
        box.header = row.header;
        box.keepWithNext = row.keepWithNext;
        double x = 0;
        for (size_t i = 0; i < row.cells.size(); ++i) {
            placeCell(row.cells[i], contents[i], x, border, padX, padY, box);
            x += pt(row.cells[i].widthTwips);
        }
        rows.push_back(std::move(box));
    }
    return rows;
}

}  // namespace qvc::viewer
