#pragma once
// A report document laid out into pages: everything a page shows, positioned in
// points (1/72 inch) from the top-left corner of the paper. The screen view and
// the printer draw the same pages, so what is seen is what is printed.

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <memory>
#include <vector>

#include "qvc/document/Model.h"

namespace qvc::viewer {

struct PageText {
    QPointF baseline;  // left end of the base line
    QString text;
    doc::CharFormat format;
};

struct PageFill {
    QRectF rect;
    QColor colour;
};

struct PageLine {
    QLineF line;
    double widthPt = 0.5;
};

struct PageImage {
    QRectF rect;
    std::shared_ptr<const QImage> image;
};

// The rows of one table that a page shows, as the model's row numbers in the
// order they are drawn: on a page the table continues on, its heading rows
// come first again.
struct PageTableRows {
    const doc::TableModel* table = nullptr;
    std::vector<size_t> rows;
};

struct LaidOutPage {
    QSizeF sizePt;
    doc::Orientation orientation = doc::Orientation::Portrait;
    int number = 1;  // 1-based within its document
    std::vector<PageFill> fills;
    std::vector<PageImage> images;
    std::vector<PageLine> lines;
    std::vector<PageText> texts;
    std::vector<PageTableRows> tables;  // body tables, top to bottom
};

struct LaidOutDocument {
    std::vector<LaidOutPage> pages;
};

}  // namespace qvc::viewer
