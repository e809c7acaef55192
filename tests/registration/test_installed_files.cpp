// The shipped files are found relative to the loaded library: in the build tree
// that is the generated resource database, the help page and the source tree's
// examples; the environment variables override the lookup.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "qvc/InstalledFiles.h"

namespace fs = std::filesystem;

namespace {

class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) { setenv(name, value, 1); }
    ~ScopedEnv() { unsetenv(name_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
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
    // The plug-in folder is the private folder next to the library.
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
