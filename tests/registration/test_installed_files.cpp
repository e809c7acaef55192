#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "qvc/InstalledFiles.h"

namespace fs = std::filesystem;

namespace {

struct ScopedEnv {
    ScopedEnv(const char* n, const char* value) : name(n) { setenv(name, value, 1); }
    ~ScopedEnv() { unsetenv(name); }
    const char* name;
};

}  // namespace

TEST(InstalledFiles, FoundBesideTheLibraryInTheBuildTree) {
    unsetenv("QVC_DATA_DIR");
    unsetenv("QVC_EXAMPLES_DIR");
    ASSERT_TRUE(fs::exists(qvc::ShippedResourceDB())) << qvc::ShippedResourceDB();
    EXPECT_TRUE(fs::equivalent(qvc::ShippedResourceDB(), QVC_RESOURCE_DB));
    ASSERT_TRUE(fs::exists(qvc::ShippedHelpFile())) << qvc::ShippedHelpFile();
    EXPECT_TRUE(fs::equivalent(qvc::ShippedHelpFile(), QVC_HELP_FILE));
    const fs::path study = fs::path(qvc::ExamplesDirectory()) / "office-hvac" / "study.json";
    ASSERT_TRUE(fs::exists(study)) << study;
    EXPECT_TRUE(
        fs::equivalent(study, fs::path(QVC_SOURCE_DIR) / "examples/office-hvac/study.json"));
    const fs::path plugins = qvc::PluginDirectory();
    EXPECT_EQ(plugins.filename(), "qvcomponents");
    EXPECT_TRUE(fs::exists(plugins.parent_path() / "libqvcomponents.so.17")) << plugins;
    EXPECT_EQ(qvc::ComponentVersion().rfind("17.", 0), 0u) << qvc::ComponentVersion();
}

TEST(InstalledFiles, EnvironmentOverridesTheLookup) {
    {
        ScopedEnv data("QVC_DATA_DIR", "/opt/elsewhere/data");
        EXPECT_EQ(qvc::SharedDataDirectory(), "/opt/elsewhere/data");
        EXPECT_EQ(qvc::ShippedResourceDB(), "/opt/elsewhere/data/QVCStrings.mdb");
        EXPECT_EQ(qvc::ShippedHelpFile(), "/opt/elsewhere/data/help/viewer.html");
        // The examples are looked up on their own.
        EXPECT_TRUE(fs::exists(fs::path(qvc::ExamplesDirectory()) / "office-hvac"));
    }
    {
        ScopedEnv examples("QVC_EXAMPLES_DIR", "/opt/elsewhere/examples");
        EXPECT_EQ(qvc::ExamplesDirectory(), "/opt/elsewhere/examples");
    }
    // An empty variable counts as unset.
    ScopedEnv empty("QVC_DATA_DIR", "");
    EXPECT_TRUE(fs::equivalent(qvc::ShippedResourceDB(), QVC_RESOURCE_DB));
}
