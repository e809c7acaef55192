#pragma once
// The progress-window service on frmPopUp. The window is created on first use
// and destroyed by unload(); a later use creates it again. Values outside 0..100
// raise qvc::rt::Error 5. Never blocks: refresh() paints at once.

#include <memory>
#include <string>

#include "qvc/ui/ProgressWindow.h"
#include "qvc/viewer/Export.h"
#include "qvc/viewer/frmPopUp.h"

namespace qvc::viewer {

class QVC_VIEWER_EXPORT QtProgressWindow : public ui::ProgressWindow {
  public:
    ~QtProgressWindow() override;
    void setCaption(std::string_view caption) override;
    void setLabel(std::string_view text) override;
    void setValue(int32_t percent) override;
    void showNonModal() override;
    void refresh() override;
    void unload() override;

    // The window while loaded, else null (for tests).
    frmPopUp* window() const { return window_.get(); }

  private:
    frmPopUp& load();
    std::unique_ptr<frmPopUp> window_;
};

}  // namespace qvc::viewer
