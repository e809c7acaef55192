#pragma once
// The small non-modal window that tells the person which report is being built.
// The builder drives it completely: nothing in it runs on its own, so it must
// never block. Values are 0..100; others raise qvc::rt::Error 5.

#include <cstdint>
#include <string_view>
#include "qvc/ui/Export.h"

namespace qvc::ui {

class QVC_UI_EXPORT ProgressWindow {
  public:
    virtual ~ProgressWindow() = default;
    virtual void setCaption(std::string_view caption) = 0;
    virtual void setLabel(std::string_view text) = 0;
    virtual void setValue(int32_t percent) = 0;
    virtual void showNonModal() = 0;
    virtual void refresh() = 0;  // draws the current caption, label and bar now
    virtual void unload() = 0;   // closes it; a later use loads it again
};

}  // namespace qvc::ui
