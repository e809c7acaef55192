#include "PagesCanvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "qvc/viewer/PagePainter.h"

namespace qvc::viewer {

namespace {
constexpr int kGap = 16;  // pixels around and between pages
const QColor kDesk(128, 128, 128);
}  // namespace

PagesCanvas::PagesCanvas(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(false);
}

void PagesCanvas::setPages(const LaidOutDocument* pages, double scale) {
    pages_ = pages;
    scale_ = scale;
    resize(contentSize());
    updateGeometry();
    update();
}

QSize PagesCanvas::contentSize() const {
    double width = 0, height = kGap;
    if (pages_) {
        for (const LaidOutPage& p : pages_->pages) {
            width = std::max(width, p.sizePt.width() * scale_);
            height += std::ceil(p.sizePt.height() * scale_) + kGap;
        }
    }
    return QSize(static_cast<int>(std::ceil(width)) + 2 * kGap, static_cast<int>(height));
}

QSize PagesCanvas::sizeHint() const {
    return contentSize();
}

void PagesCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), kDesk);
    if (!pages_) {
        return;
    }
    double y = kGap;
    for (const LaidOutPage& p : pages_->pages) {
        const double w = p.sizePt.width() * scale_, h = p.sizePt.height() * scale_;
        const double x = std::floor((width() - w) / 2);
        const QRectF box(x, y, w, h);
        if (box.intersects(event->rect())) {
            painter.fillRect(box.translated(3, 3), QColor(80, 80, 80));
            paintPage(painter, p, box.topLeft(), scale_);
        }
        y += std::ceil(h) + kGap;
    }
}

}  // namespace qvc::viewer
