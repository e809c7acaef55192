#pragma once
// Shared pieces of the viewer tests: the Qt application (off-screen unless the
// test run names another platform) and fresh output folders.

#include <filesystem>
#include <string>

namespace qvc::test {

// An empty folder QVC_TEST_OUTPUT_DIR/viewer/<name>.
std::filesystem::path freshViewerDir(const std::string& name);

// Whole file contents, for "left untouched" checks.
std::string readFile(const std::filesystem::path& file);

}  // namespace qvc::test
