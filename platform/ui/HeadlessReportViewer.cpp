#include "qvc/ui/HeadlessReportViewer.h"

#include <system_error>

#include "qvc/ui/Printer.h"
#include "qvc/ui/Services.h"

namespace qvc::ui {

namespace fs = std::filesystem;

void HeadlessReportViewer::loadHidden() {
    loaded_ = true;
    zoom_ = 100;
    saved_.clear();
    notice_.clear();
}

void HeadlessReportViewer::setDocument(doc::DocumentObject& docs) {
    docs_ = &docs;
    docs.SetZoom(zoom_);
}

void HeadlessReportViewer::documentActivated(const doc::DocumentObject&, int32_t index) {
    displayed_ = index;
}

void HeadlessReportViewer::showModal() {
    if (!loaded_) {
        loadHidden();
    }
    ++shown_;
    saved_.clear();
    if (!docs_) {
        return;
    }
    const fs::path out = Services::outputFolder();
    for (int32_t i = 1; i <= docs_->DocumentCount(); ++i) {
        doc::Document& d = docs_->document(i);
        if (out.empty()) {
            docs_->WriteDocument(i, 0);
            saved_.push_back(d.path());
            continue;
        }
        // Save a copy under the same name in the output folder, as "save as" does.
        const std::string folder = d.FileFolder();
        d.SetFileFolder(out.string());
        try {
            docs_->WriteDocument(i, 0);
        } catch (...) {
            d.SetFileFolder(folder);
            throw;
        }
        saved_.push_back(d.path());
        d.SetFileFolder(folder);
    }
}

void HeadlessReportViewer::unload() {
    if (docs_) {
        const fs::path out = Services::outputFolder();
        for (int32_t i = 1; i <= docs_->DocumentCount(); ++i) {
            const doc::Document& d = docs_->document(i);
            std::error_code ec;
            // Without an output folder, or with the working folder as output
            // folder, the working files are the saved reports. Otherwise only a
            // working file this run created goes: one that was there before
            // (a report saved by an earlier run, say) belongs to the user.
            const bool savedOutput = out.empty() || fs::weakly_canonical(out, ec) ==
                                                        fs::weakly_canonical(d.FileFolder(), ec);
            if (!savedOutput && docs_->CreatedFile(d.path())) {
                fs::remove(d.path(), ec);
            }
        }
        if (docs_->attachedWindow() == this) {
            docs_->AttachWindow(nullptr, 0);
        }
    }
    docs_ = nullptr;
    loaded_ = false;
    displayed_ = 0;
}

void HeadlessReportViewer::printDocument(const doc::DocumentObject& docs, int32_t index,
                                         bool showDialog) {
    ui::printDocument(docs, index, showDialog);
}

}  // namespace qvc::ui
