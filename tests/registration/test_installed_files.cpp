#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "qvc/InstalledFiles.h"

namespace fs = std::filesystem;

TEST(InstalledFiles, FoundBesideTheLibraryUnlessTheEnvironmentSaysOtherwise) {
    unsetenv("QVC_EXAMPLES_DIR");
    setenv("QVC_DATA_DIR", "", 1);  // empty counts as unset
    EXPECT_TRUE(fs::equivalent(qvc::ShippedResourceDB(), QVC_RESOURCE_DB));
    EXPECT_TRUE(fs::equivalent(qvc::ShippedHelpFile(), QVC_HELP_FILE));
    const fs::path study = fs::path(qvc::ExamplesDirectory()) / "office-hvac" / "study.json";
    EXPECT_TRUE(
        fs::equivalent(study, fs::path(QVC_SOURCE_DIR) / "examples/office-hvac/study.json"));
    const fs::path plugins = qvc::PluginDirectory();
    EXPECT_TRUE(fs::exists(plugins.parent_path() / "libqvcomponents.so.17")) << plugins;
    EXPECT_EQ(plugins.filename(), "qvcomponents");

    setenv("QVC_DATA_DIR", "/opt/elsewhere/data", 1);
    EXPECT_EQ(qvc::ShippedResourceDB(), "/opt/elsewhere/data/QVCStrings.mdb");
    EXPECT_EQ(qvc::ShippedHelpFile(), "/opt/elsewhere/data/help/viewer.html");
    EXPECT_TRUE(fs::exists(fs::path(qvc::ExamplesDirectory()) / "office-hvac"));
    setenv("QVC_EXAMPLES_DIR", "/opt/elsewhere/examples", 1);
    EXPECT_EQ(qvc::ExamplesDirectory(), "/opt/elsewhere/examples");
    unsetenv("QVC_DATA_DIR");
    unsetenv("QVC_EXAMPLES_DIR");
}
