#pragma once
// Prints report documents page by page on a paged device (a PDF writer or a
// printer): every page gets its own paper size and orientation, no margins (the
// pages carry their own), and the same drawing as the screen.

#include <QPagedPaintDevice>
#include <QPainter>

#include "qvc/document/Document.h"

namespace qvc::viewer {

class PagedPrintJob {
  public:
    explicit PagedPrintJob(QPagedPaintDevice& device) : device_(device) {}
    ~PagedPrintJob();
    PagedPrintJob(const PagedPrintJob&) = delete;
    PagedPrintJob& operator=(const PagedPrintJob&) = delete;

    // Lays the document out and prints its pages; false when the device could
    // not be opened.
    bool add(const doc::Document& document);
    // Ends the job; false when the device reported a failure.
    bool finish();
    int pageCount() const { return pages_; }

  private:
    QPagedPaintDevice& device_;
    QPainter painter_;
    int pages_ = 0;
    bool failed_ = false;
};

}  // namespace qvc::viewer
