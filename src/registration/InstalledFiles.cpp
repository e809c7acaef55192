#include "qvc/InstalledFiles.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace qvc {

namespace fs = std::filesystem;

namespace {

constexpr const char* kResourceDbName = "QVCStrings.mdb";

// The folder of the loaded libqvcomponents (resolved through symbolic links),
// or an empty path when the loader cannot say.
fs::path libraryFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&SharedDataDirectory), &info) == 0 ||
        info.dli_fname == nullptr)
        return {};
    std::error_code ec;
    const fs::path library = fs::weakly_canonical(fs::absolute(info.dli_fname, ec), ec);
    return ec ? fs::path() : library.parent_path();
}

std::string fromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

// The first candidate holding `probe`, else the first candidate (so that a
// message names where the file was expected).
fs::path firstHolding(const std::vector<fs::path>& candidates, const fs::path& probe) {
    std::error_code ec;
    for (const fs::path& folder : candidates)
        if (fs::exists(folder / probe, ec))
            return folder.lexically_normal();
    return candidates.empty() ? fs::path() : candidates.front().lexically_normal();
}

// The installed layout (relative paths fixed when the library is configured)
// first, then the build tree's, which mirrors a "lib" + "share" install.
std::vector<fs::path> besideLibrary(const char* installed, const char* buildTree) {
    const fs::path lib = libraryFolder();
    if (lib.empty())
        return {};
    return {lib / installed, lib / buildTree};
}

}  // namespace

std::string SharedDataDirectory() {
    const std::string env = fromEnvironment("QVC_DATA_DIR");
    if (!env.empty())
        return env;
    return firstHolding(besideLibrary(QVC_LIB_TO_DATA, "../share/qvcomponents"), kResourceDbName)
        .string();
}

std::string ShippedResourceDB() {
    return (fs::path(SharedDataDirectory()) / kResourceDbName).string();
}

std::string ShippedHelpFile() {
    return (fs::path(SharedDataDirectory()) / "help" / "viewer.html").string();
}

std::string ExamplesDirectory() {
    const std::string env = fromEnvironment("QVC_EXAMPLES_DIR");
    if (!env.empty())
        return env;
    return firstHolding(besideLibrary(QVC_LIB_TO_EXAMPLES, "../share/doc/qvcomponents/examples"),
                        "office-hvac")
        .string();
}

std::string PluginDirectory() {
    const fs::path lib = libraryFolder();
    return lib.empty() ? std::string() : (lib / "qvcomponents").string();
}

std::string ComponentVersion() {
    return QVC_COMPONENT_VERSION;
}

}  // namespace qvc
