#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "qvc/runtime/Error.h"

namespace qvc::test {

// An empty folder QVC_TEST_OUTPUT_DIR/<area>/<name>/<running test>, never shared between tests.
inline std::filesystem::path freshDir(const std::string& area, const std::string& name) {
    auto dir = std::filesystem::path(QVC_TEST_OUTPUT_DIR) / area / name;
    if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info()) {
        std::string test = std::string(info->test_suite_name()) + "." + info->name();
        std::replace(test.begin(), test.end(), '/', '_');
        dir /= test;
    }
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

// `s` as an SQL literal: quoted with its quotes doubled, or NULL.
inline std::string sqlLiteral(const std::optional<std::string>& s) {
    if (!s)
        return "NULL";
    std::string out = "'";
    for (char c : *s)
        out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

}  // namespace qvc::test
