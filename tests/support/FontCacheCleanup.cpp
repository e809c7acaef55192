// Drops cairo's and fontconfig's font caches after the last test, for the leak checker.

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

namespace {

class FontCacheCleanup : public ::testing::Environment {
  public:
    void TearDown() override {
        cairo_debug_reset_static_data();
        FcFini();
    }
};

[[maybe_unused]] const auto* const kCleanup =
    ::testing::AddGlobalTestEnvironment(new FontCacheCleanup);

}  // namespace
