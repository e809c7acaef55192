#include "qvc/viewer/DocumentView.h"

#include <QScrollBar>

#include "PagesCanvas.h"
#include "qvc/ui/Printer.h"
#include "qvc/viewer/DocumentLayout.h"

namespace qvc::viewer {

DocumentView::DocumentView(QWidget* parent) : QScrollArea(parent), canvas_(new PagesCanvas) {
    setObjectName(QStringLiteral("Toc1"));
    setWidget(canvas_);
    setWidgetResizable(false);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setBackgroundRole(QPalette::Dark);
    canvas_->setPages(&layout_, scale());
}

double DocumentView::scale() const {
    return zoom_ / 100.0 * logicalDpiX() / 72.0;
}

void DocumentView::showDocument(const doc::DocumentObject* docs, int32_t index) {
    docs_ = docs;
    index_ = docs && index >= 1 && index <= docs->DocumentCount() ? index : 0;
    if (!redraw_) {
        pending_ = true;
        return;
    }
    refresh();
}

void DocumentView::refresh() {
    pending_ = false;
    layout_ = index_ > 0 ? layoutDocument(docs_->document(index_)) : LaidOutDocument{};
    canvas_->setPages(&layout_, scale());
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

void DocumentView::setZoom(int percent) {
    if (percent == zoom_) {
        return;
    }
    zoom_ = percent;
    canvas_->setPages(&layout_, scale());
}

void DocumentView::documentActivated(const doc::DocumentObject& docs, int32_t index) {
    showDocument(&docs, index);
}

void DocumentView::zoomChanged(int16_t percent) {
    setZoom(percent);
}

void DocumentView::redrawChanged(bool on) {
    redraw_ = on;
    if (on && pending_) {
        refresh();
    }
}

void DocumentView::printDocument(const doc::DocumentObject& docs, int32_t index, bool showDialog) {
    ui::printDocument(docs, index, showDialog);
}

}  // namespace qvc::viewer
