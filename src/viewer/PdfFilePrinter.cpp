#include "qvc/viewer/PdfFilePrinter.h"

#include "PdfOutput.h"

namespace qvc::viewer {

void PdfFilePrinter::print(const doc::DocumentObject& docs, int32_t index, bool /*showDialog*/) {
    printed_.push_back(docs.document(index));
    std::vector<const doc::Document*> all;
    for (const doc::Document& d : printed_) {
        all.push_back(&d);
    }
    try {
        pages_ = writePdf(all, file_);
    } catch (...) {
        printed_.pop_back();
        throw;
    }
}

}  // namespace qvc::viewer
