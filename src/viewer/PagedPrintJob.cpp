#include "PagedPrintJob.h"

#include <QPageLayout>

#include "qvc/viewer/DocumentLayout.h"
#include "qvc/viewer/PagePainter.h"

namespace qvc::viewer {

namespace {

QPageLayout layoutOf(const LaidOutPage& page) {
    const double w = page.sizePt.width(), h = page.sizePt.height();
    const bool landscape = w > h;
    QPageSize size(QSizeF(std::min(w, h), std::max(w, h)), QPageSize::Point, QString(),
                   QPageSize::FuzzyOrientationMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

}  // namespace

PagedPrintJob::~PagedPrintJob() {
    if (painter_.isActive()) {
        painter_.end();
    }
}

bool PagedPrintJob::add(const doc::Document& document) {
    if (failed_) {
        return false;
    }
    const LaidOutDocument laid = layoutDocument(document);
    for (const LaidOutPage& page : laid.pages) {
        device_.setPageLayout(layoutOf(page));
        if (!painter_.isActive()) {
            if (!painter_.begin(&device_)) {
                failed_ = true;
                return false;
            }
        } else if (!device_.newPage()) {
            failed_ = true;
            return false;
        }
        paintPage(painter_, page, QPointF(0, 0), device_.logicalDpiX() / 72.0);
        ++pages_;
    }
    return true;
}

bool PagedPrintJob::finish() {
    if (painter_.isActive()) {
        return painter_.end() && !failed_;
    }
    return !failed_;
}

}  // namespace qvc::viewer
