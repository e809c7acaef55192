#pragma once
// The component's user-interface services for a Python process: message boxes
// and the progress window say nothing on the terminal. The messages are kept
// so that a failed call can raise them as its error.

#include <mutex>
#include <string>
#include <vector>

#include "qvc/ui/MessageBox.h"
#include "qvc/ui/ProgressWindow.h"

namespace qvc::py {

class RecordingMessageBox : public ui::MessageBox {
  public:
    // Keeps the text and answers with the box's default button.
    int32_t show(std::string_view text, int32_t flags, std::string_view title) override;
    // The texts shown since the last call, oldest first.
    std::vector<std::string> take();

  private:
    std::mutex mutex_;
    std::vector<std::string> texts_;
};

class SilentProgressWindow : public ui::ProgressWindow {
  public:
    void setCaption(std::string_view) override {}
    void setLabel(std::string_view) override {}
    // Refuses a value outside 0..100 (error 5), as every progress window does.
    void setValue(int32_t percent) override;
    void showNonModal() override {}
    void refresh() override {}
    void unload() override {}
};

// Installs both for the process (once, at import) and returns the message box.
RecordingMessageBox& installSilentServices();

}  // namespace qvc::py
