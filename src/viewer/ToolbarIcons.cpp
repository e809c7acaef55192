#include "ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace qvc::viewer {

namespace {

constexpr int kSize = 48;  // drawn large, shown at the toolbar's icon size

void drawSave(QPainter& p) {
    p.setPen(QPen(QColor(20, 40, 90), 2));
    p.setBrush(QColor(45, 85, 170));
    QPainterPath body;
    body.moveTo(6, 6);
    body.lineTo(36, 6);
    body.lineTo(42, 12);
    body.lineTo(42, 42);
    body.lineTo(6, 42);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(12, 24, 24, 18));  // label
    p.setBrush(QColor(200, 205, 215));
    p.drawRect(QRectF(14, 6, 18, 12));  // shutter
    p.setBrush(QColor(45, 85, 170));
    p.drawRect(QRectF(25, 8, 5, 8));
    p.setPen(QPen(QColor(120, 120, 120), 2));
    p.drawLine(QLineF(16, 30, 32, 30));
    p.drawLine(QLineF(16, 36, 32, 36));
}

void drawPrint(QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(14, 4, 20, 16));  // paper in
    p.setBrush(QColor(150, 155, 165));
    p.drawRoundedRect(QRectF(4, 18, 40, 18), 4, 4);  // body
    p.setBrush(Qt::white);
    p.drawRect(QRectF(12, 30, 24, 14));  // paper out
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.drawLine(QLineF(16, 35, 32, 35));
    p.drawLine(QLineF(16, 40, 28, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 170, 60));
    p.drawEllipse(QRectF(36, 22, 5, 5));
}

void drawArrow(QPainter& p, bool right) {
    QPainterPath arrow;
    arrow.moveTo(6, 24);
    arrow.lineTo(24, 6);
    arrow.lineTo(24, 16);
    arrow.lineTo(42, 16);
    arrow.lineTo(42, 32);
    arrow.lineTo(24, 32);
    arrow.lineTo(24, 42);
    arrow.closeSubpath();
    if (right) {
        p.translate(kSize, 0);
        p.scale(-1, 1);
    }
    p.setPen(QPen(QColor(20, 80, 30), 2));
    p.setBrush(QColor(50, 160, 70));
    p.drawPath(arrow);
}

void drawZoom(QPainter& p, bool in) {
    p.setPen(QPen(QColor(90, 60, 20), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QLineF(30, 30, 42, 42));  // handle
    p.setPen(QPen(QColor(40, 40, 40), 3));
    p.setBrush(QColor(215, 235, 250));
    p.drawEllipse(QRectF(4, 4, 30, 30));
    p.setPen(QPen(QColor(20, 60, 150), 4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QLineF(11, 19, 27, 19));
    if (in) {
        p.drawLine(QLineF(19, 11, 19, 27));
    }
}

}  // namespace

QIcon toolbarIcon(ToolbarIcon which) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    switch (which) {
        case ToolbarIcon::Save:
            drawSave(p);
            break;
        case ToolbarIcon::Print:
            drawPrint(p);
            break;
        case ToolbarIcon::Previous:
            drawArrow(p, false);
            break;
        case ToolbarIcon::Next:
            drawArrow(p, true);
            break;
        case ToolbarIcon::ZoomIn:
            drawZoom(p, true);
            break;
        case ToolbarIcon::ZoomOut:
            drawZoom(p, false);
            break;
    }
    p.end();
    return QIcon(pixmap);
}

}  // namespace qvc::viewer
