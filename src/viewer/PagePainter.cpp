#include "qvc/viewer/PagePainter.h"

#include <QPaintDevice>

#include "TextMeasurer.h"

namespace qvc::viewer {

void paintPage(QPainter& painter, const LaidOutPage& page, QPointF origin, double scale) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.translate(origin);
    painter.scale(scale, scale);

    painter.fillRect(QRectF(QPointF(0, 0), page.sizePt), Qt::white);
    for (const PageFill& f : page.fills) {
        painter.fillRect(f.rect, f.colour);
    }
    for (const PageImage& im : page.images) {
        if (im.image) {
            painter.drawImage(im.rect, *im.image);
        }
    }
    for (const PageLine& l : page.lines) {
        QPen pen(Qt::black);
        pen.setCapStyle(Qt::SquareCap);
        // Hairlines on the screen are drawn one pixel wide without smoothing, so
        // borders stay crisp instead of turning into grey double lines.
        const bool hairline = l.widthPt * scale < 1.5;
        painter.setRenderHint(QPainter::Antialiasing, !hairline);
        pen.setWidthF(hairline ? 0.0 : l.widthPt);
        painter.setPen(pen);
        painter.drawLine(l.line);
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double dpi = painter.device() ? painter.device()->logicalDpiY() : 96.0;
    const doc::CharFormat* current = nullptr;
    for (const PageText& t : page.texts) {
        if (!current || !(*current == t.format)) {
            painter.setFont(TextMeasurer::drawingFont(t.format, dpi));
            painter.setPen(QColor(t.format.colour.r, t.format.colour.g, t.format.colour.b));
            current = &t.format;
        }
        painter.drawText(t.baseline, t.text);
    }
    painter.restore();
}

}  // namespace qvc::viewer
