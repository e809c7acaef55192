#pragma once
// A printer service that collects every printed document into one PDF file, in
// the order printed. The file is rewritten after each print, so it is complete
// at any time; each document keeps its own page numbers.

#include <filesystem>
#include <vector>

#include "qvc/ui/Printer.h"
#include "qvc/viewer/Export.h"

namespace qvc::viewer {

class QVC_VIEWER_EXPORT PdfFilePrinter : public ui::Printer {
  public:
    explicit PdfFilePrinter(std::filesystem::path file) : file_(std::move(file)) {}
    // The dialog choice does not apply: the output is always the file.
    void print(const doc::DocumentObject& docs, int32_t index, bool showDialog) override;

    int pageCount() const { return pages_; }
    size_t documentCount() const { return printed_.size(); }

  private:
    std::filesystem::path file_;
    std::vector<doc::Document> printed_;
    int pages_ = 0;
};

}  // namespace qvc::viewer
