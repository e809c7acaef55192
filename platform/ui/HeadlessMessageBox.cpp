#include "qvc/ui/HeadlessMessageBox.h"

#include <algorithm>
#include <iostream>

namespace qvc::ui {

int32_t HeadlessMessageBox::defaultResult(int32_t flags) {
    static const std::vector<std::vector<int32_t>> kButtons = {
        {mb::kOk},
        {mb::kOk, mb::kCancel},
        {mb::kAbort, mb::kRetry, mb::kIgnore},
        {mb::kYes, mb::kNo, mb::kCancel},
        {mb::kYes, mb::kNo},
        {mb::kRetry, mb::kCancel}};
    int32_t set = flags & 7;
    const auto& buttons = kButtons[static_cast<size_t>(set <= 5 ? set : 0)];
    size_t wanted = (flags & mb::kDefaultButton3) ? 2 : ((flags & mb::kDefaultButton2) ? 1 : 0);
    return buttons[std::min(wanted, buttons.size() - 1)];
}

int32_t HeadlessMessageBox::show(std::string_view text, int32_t flags, std::string_view title) {
    std::lock_guard lock(mutex_);
    records_.push_back({std::string(text), flags, std::string(title)});
    std::cerr << (title.empty() ? std::string_view("Message") : title) << ": " << text << '\n';
    if (!answers_.empty()) {
        int32_t answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return defaultResult(flags);
}

std::vector<MessageRecord> HeadlessMessageBox::records() const {
    std::lock_guard lock(mutex_);
    return records_;
}

void HeadlessMessageBox::clear() {
    std::lock_guard lock(mutex_);
    records_.clear();
    answers_.clear();
}

void HeadlessMessageBox::queueAnswer(int32_t result) {
    std::lock_guard lock(mutex_);
    answers_.push_back(result);
}

}  // namespace qvc::ui
