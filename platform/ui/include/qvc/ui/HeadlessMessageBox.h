#pragma once
// Message boxes without a screen: each message is written to stderr as
// "title: text" and recorded. The answer is the box's default button, or the
// next answer queued with queueAnswer (for tests that need a "No").

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "qvc/ui/Export.h"
#include "qvc/ui/MessageBox.h"

namespace qvc::ui {

struct QVC_UI_EXPORT MessageRecord {
    std::string text;
    int32_t flags = 0;
    std::string title;
};

class QVC_UI_EXPORT HeadlessMessageBox : public MessageBox {
  public:
    int32_t show(std::string_view text, int32_t flags, std::string_view title) override;

    std::vector<MessageRecord> records() const;
    void clear();
    void queueAnswer(int32_t result);
    // The button a person pressing Enter would choose.
    static int32_t defaultResult(int32_t flags);

  private:
    mutable std::mutex mutex_;
    std::vector<MessageRecord> records_;
    std::deque<int32_t> answers_;
};

}  // namespace qvc::ui
