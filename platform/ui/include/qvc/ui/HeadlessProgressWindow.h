#pragma once
// The progress window without a screen: on refresh it draws one line,
// "caption: label [#####-----]  45%", over itself on stderr, only when stderr is
// a terminal; it always records what it was told.

#include <mutex>
#include <string>
#include <vector>

#include "qvc/ui/Export.h"
#include "qvc/ui/ProgressWindow.h"

namespace qvc::ui {

struct QVC_UI_EXPORT ProgressEvent {
    enum class Kind { Caption, Label, Value, Show, Refresh, Unload };
    Kind kind;
    std::string text;   // Caption, Label
    int32_t value = 0;  // Value
};

class QVC_UI_EXPORT HeadlessProgressWindow : public ProgressWindow {
  public:
    // `terminal` = -1 asks isatty(2); 0 or 1 force it (tests).
    explicit HeadlessProgressWindow(int terminal = -1);

    void setCaption(std::string_view caption) override;
    void setLabel(std::string_view text) override;
    void setValue(int32_t percent) override;
    void showNonModal() override;
    void refresh() override;
    void unload() override;

    std::vector<ProgressEvent> events() const;
    std::vector<int32_t> values() const;  // the bar values set, in order
    void clear();
    // The line drawn on the terminal for the current state (without "\r").
    std::string line() const;

  private:
    void record(ProgressEvent e);
    mutable std::mutex mutex_;
    std::vector<ProgressEvent> events_;
    std::string caption_, label_;
    int32_t value_ = 0;
    bool visible_ = false;
    bool drawn_ = false;
    bool terminal_;
};

}  // namespace qvc::ui
