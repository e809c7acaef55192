#include "PosixEnv.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>

#include "PosixWritableFile.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::rt {

namespace fs = std::filesystem;

namespace {

int32_t numberFor(int error) {
    switch (error) {
        case EEXIST:
            return err::kFileAlreadyExists;
        case ENOSPC:
        case EDQUOT:
            return err::kDiskFull;
        case ENOTDIR:
            return err::kPathNotFound;
        default:
            return err::kPermissionDenied;
    }
}

}  // namespace

Error systemError(int error, const std::string& action, const fs::path& path) {
    int32_t number = numberFor(error);
    if (error == ENOENT) {
        std::error_code ec;
        const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
        number = fs::is_directory(folder, ec) ? err::kFileNotFound : err::kPathNotFound;
    }
    return Error(number,
                 action + " \"" + path.string() + "\": " + std::generic_category().message(error));
}

std::tm PosixEnv::localTime() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

std::unique_ptr<WritableFile> PosixEnv::createNewFile(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        throw systemError(errno, "cannot create", file);
    return std::make_unique<PosixWritableFile>(fd, file);
}

bool PosixEnv::renameNoReplace(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        throw systemError(errno, "cannot rename to", to);
    // A file system that cannot rename without replacing: look first. Not one
    // step, but the best such a file system allows.
    if (fileExists(to) || folderExists(to))
        return false;
    renameReplacing(from, to);
    return true;
}

void PosixEnv::renameReplacing(const fs::path& from, const fs::path& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0)
        throw systemError(errno, "cannot rename to", to);
}

bool PosixEnv::removeFile(const fs::path& file) noexcept {
    return ::unlink(file.c_str()) == 0;
}

std::vector<std::string> PosixEnv::listFolder(const fs::path& folder) const {
    if (!folderExists(folder))
        throw Error(err::kPathNotFound,
                    "cannot list the folder \"" + folder.string() + "\": it does not exist");
    std::error_code ec;
    std::vector<std::string> names;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    if (ec)
        throw systemError(ec.value(), "cannot list the folder", folder);
    std::sort(names.begin(), names.end());
    return names;
}

bool PosixEnv::fileExists(const fs::path& file) const {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(file, ec);
    return fs::exists(status) && !fs::is_directory(status);
}

bool PosixEnv::folderExists(const fs::path& folder) const {
    std::error_code ec;
    return fs::is_directory(folder, ec);
}

void PosixEnv::createFolders(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        throw systemError(ec.value(), "cannot create the folder", folder);
}

}  // namespace qvc::rt
