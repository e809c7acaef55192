#include "SilentServices.h"

#include <memory>

#include "qvc/runtime/Error.h"
#include "qvc/ui/HeadlessMessageBox.h"
#include "qvc/ui/Services.h"

namespace qvc::py {

int32_t RecordingMessageBox::show(std::string_view text, int32_t flags, std::string_view) {
    std::lock_guard lock(mutex_);
    texts_.emplace_back(text);
    return ui::HeadlessMessageBox::defaultResult(flags);
}

std::vector<std::string> RecordingMessageBox::take() {
    std::lock_guard lock(mutex_);
    std::vector<std::string> texts;
    texts.swap(texts_);
    return texts;
}

void SilentProgressWindow::setValue(int32_t percent) {
    if (percent < 0 || percent > 100)
        throw rt::Error(5, "a progress value must be from 0 to 100");
}

RecordingMessageBox& installSilentServices() {
    static const auto box = std::make_shared<RecordingMessageBox>();
    ui::Services::setMessageBox(box);
    ui::Services::setProgressWindow(std::make_shared<SilentProgressWindow>());
    return *box;
}

}  // namespace qvc::py
