#include "qvc/ui/HeadlessHelp.h"

#include <fmt/format.h>

#include <spawn.h>
#include <sys/wait.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <iterator>

extern char** environ;

namespace qvc::ui {

namespace {

bool displayExists() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* v = std::getenv(name);
        if (v && *v) {
            return true;
        }
    }
    return false;
}

std::string percentEncode(const std::string& path) {
    std::string out;
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            fmt::format_to(std::back_inserter(out), "%{:02X}", c);
        }
    }
    return out;
}

// Starts xdg-open in the background through a shell that exits at once, so no
// child is left to reap and the caller never waits for the browser.
bool launch(const std::string& address) {
    const char* argv[] = {"/bin/sh",       "-c",   "xdg-open \"$1\" >/dev/null 2>&1 &", "sh",
                          address.c_str(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(argv), environ) !=
        0) {
        return false;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

std::string HeadlessHelp::address(const std::string& file, int32_t context) {
    std::error_code ec;
    std::filesystem::path abs = std::filesystem::absolute(file, ec);
    return "file://" + percentEncode(ec ? file : abs.string()) + fmt::format("#ctx-{}", context);
}

void HeadlessHelp::open(const std::string& file, int32_t context) {
    HelpRequest request{file, context, false};
    if (!file.empty() && displayExists()) {
        request.launched = launch(address(file, context));
    }
    std::lock_guard lock(mutex_);
    requests_.push_back(std::move(request));
}

std::vector<HelpRequest> HeadlessHelp::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void HeadlessHelp::clear() {
    std::lock_guard lock(mutex_);
    requests_.clear();
}

}  // namespace qvc::ui
