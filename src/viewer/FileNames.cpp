#include "qvc/viewer/FileNames.h"

#include <filesystem>

namespace qvc::viewer {

namespace {

std::string completed(const std::string& path) {
    if (path.empty() || path.front() == '/') {
        return path;
    }
    std::string cwd = std::filesystem::current_path().string();
    if (cwd.empty() || cwd.back() != '/') {
        cwd += '/';
    }
    return cwd + path;
}

// The completed path without a trailing separator and the position of the last
// separator in it (npos when there is none or the path is too short).
std::pair<std::string, size_t> split(const std::string& path) {
    std::string full = completed(path);
    if (full.size() < 2) {
        return {full, std::string::npos};
    }
    if (full.back() == '/') {
        full.pop_back();
    }
    return {full, full.rfind('/')};
}

}  // namespace

std::string GetFileNameFromPath(const std::string& path) {
    auto [full, slash] = split(path);
    return slash == std::string::npos ? full : full.substr(slash + 1);
}

std::string GetFolderFromPath(const std::string& path) {
    auto [full, slash] = split(path);
    if (slash == std::string::npos) {
        return std::string();
    }
    return slash == 0 ? std::string("/") : full.substr(0, slash);
}

}  // namespace qvc::viewer
