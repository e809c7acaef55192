#pragma once
// The report-viewer service on frmReportViewer: loadHidden creates the window
// (not shown), documentView is its Toc1, graphSurface its Pego1, showModal shows
// it until the person closes it, unload deletes the report files, detaches the
// documents and destroys the window.

#include <memory>

#include "qvc/ui/ReportViewer.h"
#include "qvc/viewer/Export.h"
#include "qvc/viewer/frmReportViewer.h"

namespace qvc::viewer {

class QVC_VIEWER_EXPORT QtReportViewer : public ui::ReportViewer {
  public:
    explicit QtReportViewer(std::shared_ptr<const ui::ViewerEnvironment> environment)
        : env_(std::move(environment)) {}
    ~QtReportViewer() override;

    void loadHidden() override;
    bool isLoaded() const override { return window_ != nullptr; }
    doc::DocumentHost* documentView() override { return window_ ? window_->Toc1 : nullptr; }
    std::intptr_t ownerHandle() const override {
        return reinterpret_cast<std::intptr_t>(window_.get());
    }
    graph::ChartRenderer* graphSurface() override { return window_ ? &window_->Pego1 : nullptr; }
    void setDocument(doc::DocumentObject& docs) override;
    void showModal() override;
    void unload() override;
    void setActivationNotice(std::string notice) override { notice_ = std::move(notice); }

    // The window while loaded, else null (for tests and hosts that set it up).
    frmReportViewer* window() const { return window_.get(); }

  private:
    std::shared_ptr<const ui::ViewerEnvironment> env_;
    std::unique_ptr<frmReportViewer> window_;
    std::string notice_;
};

}  // namespace qvc::viewer
