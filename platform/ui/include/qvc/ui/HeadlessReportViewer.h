#pragma once
// The viewer without a screen. showModal() saves every document of the attached
// DocumentObject as RTF into Services::outputFolder(), or into each document's
// own folder when no output folder is set, and returns at once. unload() deletes
// the working files as the real window does, except when they are the saved
// output (no output folder set, or the output folder is the working folder) and
// except files this run did not create (DocumentObject::CreatedFile): a file of
// that name that was there before is never removed. Printing goes to the
// installed Printer.

#include <filesystem>
#include <string>
#include <vector>

#include "qvc/ui/Export.h"
#include "qvc/ui/ReportViewer.h"

namespace qvc::ui {

class QVC_UI_EXPORT HeadlessReportViewer : public ReportViewer, public doc::DocumentHost {
  public:
    void loadHidden() override;
    bool isLoaded() const override { return loaded_; }
    doc::DocumentHost* documentView() override { return loaded_ ? this : nullptr; }
    std::intptr_t ownerHandle() const override { return loaded_ ? 1 : 0; }
    graph::ChartRenderer* graphSurface() override { return loaded_ ? &renderer_ : nullptr; }
    void setDocument(doc::DocumentObject& docs) override;
    void showModal() override;
    void unload() override;
    void setActivationNotice(std::string notice) override { notice_ = std::move(notice); }

    // DocumentHost
    void documentActivated(const doc::DocumentObject& docs, int32_t index) override;
    void zoomChanged(int16_t percent) override { zoom_ = percent; }
    void printDocument(const doc::DocumentObject& docs, int32_t index, bool showDialog) override;

    // What the last showModal wrote, in document order.
    const std::vector<std::filesystem::path>& savedFiles() const { return saved_; }
    int32_t shownCount() const { return shown_; }
    int16_t zoom() const { return zoom_; }
    int32_t displayedIndex() const { return displayed_; }
    const std::string& activationNotice() const { return notice_; }

  private:
    bool loaded_ = false;
    doc::DocumentObject* docs_ = nullptr;
    graph::ChartRenderer renderer_;
    std::vector<std::filesystem::path> saved_;
    int32_t shown_ = 0;
    int16_t zoom_ = 100;
    int32_t displayed_ = 0;
    std::string notice_;
};

}  // namespace qvc::ui
