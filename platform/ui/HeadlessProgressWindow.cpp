#include "qvc/ui/HeadlessProgressWindow.h"

#include <fmt/format.h>

#include <unistd.h>

#include <cstdio>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::ui {

HeadlessProgressWindow::HeadlessProgressWindow(int terminal)
    : terminal_(terminal < 0 ? isatty(STDERR_FILENO) == 1 : terminal == 1) {}

void HeadlessProgressWindow::record(ProgressEvent e) {
    events_.push_back(std::move(e));
}

void HeadlessProgressWindow::setCaption(std::string_view caption) {
    std::lock_guard lock(mutex_);
    caption_ = caption;
    record({ProgressEvent::Kind::Caption, caption_, 0});
}

void HeadlessProgressWindow::setLabel(std::string_view text) {
    std::lock_guard lock(mutex_);
    label_ = text;
    record({ProgressEvent::Kind::Label, label_, 0});
}

void HeadlessProgressWindow::setValue(int32_t percent) {
    if (percent < 0 || percent > 100) {
        throw rt::Error(rt::err::kInvalidProcedureCall,
                        "A progress value must be between 0 and 100");
    }
    std::lock_guard lock(mutex_);
    value_ = percent;
    record({ProgressEvent::Kind::Value, {}, percent});
}

void HeadlessProgressWindow::showNonModal() {
    std::lock_guard lock(mutex_);
    visible_ = true;
    record({ProgressEvent::Kind::Show, {}, 0});
}

std::string HeadlessProgressWindow::line() const {
    constexpr int kBar = 20;
    int filled = value_ * kBar / 100;
    std::string text = caption_ + ": " + label_;
    if (text.size() > 50) {
        size_t cut = 47;  // back to the start of a UTF-8 character
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        text = text.substr(0, cut) + "...";
    }
    return fmt::format("{} [{:#<{}}{:-<{}}] {:3}%", text, "", filled, "", kBar - filled, value_);
}

void HeadlessProgressWindow::refresh() {
    std::lock_guard lock(mutex_);
    record({ProgressEvent::Kind::Refresh, {}, 0});
    if (terminal_ && visible_) {
        std::fprintf(stderr, "\r\033[K%s", line().c_str());
        std::fflush(stderr);
        drawn_ = true;
    }
}

void HeadlessProgressWindow::unload() {
    std::lock_guard lock(mutex_);
    record({ProgressEvent::Kind::Unload, {}, 0});
    if (drawn_) {
        std::fputs("\n", stderr);
        std::fflush(stderr);
    }
    visible_ = false;
    drawn_ = false;
    caption_.clear();
    label_.clear();
    value_ = 0;
}

std::vector<ProgressEvent> HeadlessProgressWindow::events() const {
    std::lock_guard lock(mutex_);
    return events_;
}

std::vector<int32_t> HeadlessProgressWindow::values() const {
    std::lock_guard lock(mutex_);
    std::vector<int32_t> out;
    for (const ProgressEvent& e : events_) {
        if (e.kind == ProgressEvent::Kind::Value) {
            out.push_back(e.value);
        }
    }
    return out;
}

void HeadlessProgressWindow::clear() {
    std::lock_guard lock(mutex_);
    events_.clear();
}

}  // namespace qvc::ui
