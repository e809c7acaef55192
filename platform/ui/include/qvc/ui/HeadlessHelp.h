#pragma once
// Help without a help viewer: when a display exists (DISPLAY or WAYLAND_DISPLAY)
// it runs `xdg-open file:///FILE#ctx-N` in the background; otherwise it does
// nothing. Every request is recorded.

#include <mutex>
#include <string>
#include <vector>

#include "qvc/ui/Export.h"
#include "qvc/ui/Help.h"

namespace qvc::ui {

struct QVC_UI_EXPORT HelpRequest {
    std::string file;
    int32_t context = 0;
    bool launched = false;  // xdg-open was started
};

class QVC_UI_EXPORT HeadlessHelp : public Help {
  public:
    void open(const std::string& file, int32_t context) override;
    std::vector<HelpRequest> requests() const;
    void clear();
    // The address opened for (file, context): file:///abs/path#ctx-N.
    static std::string address(const std::string& file, int32_t context);

  private:
    mutable std::mutex mutex_;
    std::vector<HelpRequest> requests_;
};

}  // namespace qvc::ui
