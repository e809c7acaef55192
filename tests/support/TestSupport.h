#pragma once
// Helpers every test program shares: a fresh output folder per test and the
// error number an action raises.

#include <filesystem>
#include <functional>
#include <string>

#include "qvc/runtime/Error.h"

namespace qvc::test {

// An empty folder QVC_TEST_OUTPUT_DIR/<area>/<name>, emptied first when a
// previous run left it behind.
inline std::filesystem::path freshDir(const std::string& area, const std::string& name) {
    auto dir = std::filesystem::path(QVC_TEST_OUTPUT_DIR) / area / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// The number of the rt::Error `f` raises, or 0 when it raises nothing.
inline int errorNumberOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const rt::Error& e) {
        return e.number();
    }
    return 0;
}

}  // namespace qvc::test
