// Linked into test programs that draw text with cairo: cairo and fontconfig keep
// the fonts they loaded in process-wide caches, which the leak checker would
// report. This drops them after the last test.

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
