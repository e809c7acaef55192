#include "FakeEnv.h"

#include <algorithm>
#include <ctime>
#include <numeric>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::test {

namespace fs = std::filesystem;
namespace err = rt::err;

namespace {

fs::path normal(const fs::path& p) {
    fs::path n = p.lexically_normal();
    if (!n.has_filename() && n != n.root_path())
        n = n.parent_path();
    return n.empty() ? fs::path(".") : n;
}

fs::path folderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

rt::Error failure(int32_t number, const std::string& action, const fs::path& path,
                  const char* reason) {
    return rt::Error(number, action + " \"" + path.string() + "\": " + reason);
}

class FakeWritableFile final : public rt::WritableFile {
  public:
    FakeWritableFile(FakeEnv& env, fs::path path) : env_(env), path_(std::move(path)) {}
    void append(std::string_view data) override { env_.append(open("append"), data); }
    void sync() override { env_.noteSync(open("sync")); }
    void close() override {
        open("close");
        closed_ = true;
    }

  private:
    const fs::path& open(const char* what) const {
        if (closed_)
            throw rt::Error(err::kInvalidProcedureCall, std::string(what) + " after close");
        return path_;
    }
    FakeEnv& env_;
    fs::path path_;
    bool closed_ = false;
};

}  // namespace

FakeEnv::FakeEnv() : folders_{"/", "."} {
    setLocalTime(2026, 3, 14, 9, 26, 53);
}

void FakeEnv::setLocalTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    std::mktime(&t);  // fills in the day of the week and of the year
    time_ = t;
}

void FakeEnv::failRenameOnto(const fs::path& target) {
    failingRenameTargets_.insert(normal(target));
}
void FakeEnv::failCreatingIn(const fs::path& folder) {
    failingFolders_.insert(normal(folder));
}

void FakeEnv::clearFailures() {
    writesUntilFailure_ = 0;
    failingRenameTargets_.clear();
    failingFolders_.clear();
    capacity_.reset();
}

void FakeEnv::addFile(const fs::path& file, std::string contents) {
    createFolders(folderOf(normal(file)));
    files_[normal(file)] = std::move(contents);
}

std::optional<std::string> FakeEnv::contents(const fs::path& file) const {
    const auto it = files_.find(normal(file));
    return it == files_.end() ? std::nullopt : std::optional<std::string>(it->second);
}

std::set<fs::path> FakeEnv::files() const {
    std::set<fs::path> all;
    for (const auto& [path, data] : files_)
        all.insert(path);
    return all;
}

std::unique_ptr<rt::WritableFile> FakeEnv::createNewFile(const fs::path& file) {
    const fs::path path = normal(file), folder = folderOf(path);
    if (!folderExists(folder))
        throw failure(err::kPathNotFound, "cannot create", path, "No such file or directory");
    if (failingFolders_.contains(folder))
        throw failure(err::kPermissionDenied, "cannot create", path, "Permission denied");
    if (fileExists(path) || folderExists(path))
        throw failure(err::kFileAlreadyExists, "cannot create", path, "File exists");
    files_[path];
    return std::make_unique<FakeWritableFile>(*this, path);
}

void FakeEnv::append(const fs::path& file, std::string_view data) {
    const auto it = files_.find(file);
    if (it == files_.end())
        throw failure(err::kPermissionDenied, "cannot write to", file, "Bad file descriptor");
    if (writesUntilFailure_ > 0 && --writesUntilFailure_ == 0)
        throw failure(err::kPermissionDenied, "cannot write to", file, "Input/output error");
    const std::size_t used = usedBytes();
    if (capacity_ && used + data.size() > *capacity_) {
        it->second.append(data.substr(0, *capacity_ - std::min(used, *capacity_)));
        throw failure(err::kDiskFull, "cannot write to", file, "No space left on device");
    }
    it->second.append(data);
}

bool FakeEnv::wasSynced(const fs::path& file) const {
    return synced_.contains(normal(file));
}

std::size_t FakeEnv::usedBytes() const {
    return std::accumulate(
        files_.begin(), files_.end(), std::size_t{0},
        [](std::size_t sum, const auto& file) { return sum + file.second.size(); });
}

void FakeEnv::checkRename(const fs::path& from, const fs::path& to) const {
    if (!files_.contains(from))
        throw failure(err::kFileNotFound, "cannot rename to", to, "No such file or directory");
    if (!folderExists(folderOf(to)))
        throw failure(err::kPathNotFound, "cannot rename to", to, "No such file or directory");
    if (failingRenameTargets_.contains(to))
        throw failure(err::kPermissionDenied, "cannot rename to", to, "Permission denied");
}

bool FakeEnv::renameNoReplace(const fs::path& from, const fs::path& to) {
    const fs::path source = normal(from), target = normal(to);
    checkRename(source, target);
    if (fileExists(target) || folderExists(target))
        return false;
    moveFile(source, target);
    return true;
}

void FakeEnv::renameReplacing(const fs::path& from, const fs::path& to) {
    const fs::path source = normal(from), target = normal(to);
    checkRename(source, target);
    if (folderExists(target))
        throw failure(err::kPermissionDenied, "cannot rename to", target, "Is a directory");
    if (source != target)
        moveFile(source, target);
}

// A file's contents and whether they were synced go with its name.
void FakeEnv::moveFile(const fs::path& source, const fs::path& target) {
    files_[target] = std::move(files_[source]);
    files_.erase(source);
    if (synced_.erase(source) > 0)
        synced_.insert(target);
    else
        synced_.erase(target);
}

bool FakeEnv::removeFile(const fs::path& file) noexcept {
    synced_.erase(normal(file));
    return files_.erase(normal(file)) > 0;
}

std::vector<std::string> FakeEnv::listFolder(const fs::path& folder) const {
    const fs::path f = normal(folder);
    if (!folderExists(f))
        throw failure(err::kPathNotFound, "cannot list the folder", f, "it does not exist");
    std::vector<std::string> names;
    for (const auto& [path, data] : files_)
        if (folderOf(path) == f)
            names.push_back(path.filename().string());
    for (const fs::path& sub : folders_)
        if (sub != f && sub.has_filename() && folderOf(sub) == f)
            names.push_back(sub.filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool FakeEnv::fileExists(const fs::path& file) const {
    return files_.contains(normal(file));
}
bool FakeEnv::folderExists(const fs::path& folder) const {
    return folders_.contains(normal(folder));
}

void FakeEnv::createFolders(const fs::path& folder) {
    const fs::path f = normal(folder);
    if (folders_.contains(f))
        return;
    if (files_.contains(f))
        throw failure(err::kPathNotFound, "cannot create the folder", f, "Not a directory");
    if (f.has_parent_path() && f.parent_path() != f)
        createFolders(f.parent_path());
    folders_.insert(f);
}

}  // namespace qvc::test
