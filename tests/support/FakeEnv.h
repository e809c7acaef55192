#pragma once
// An in-memory environment (install it with rt::ScopedEnv) with a settable clock and failures on
// demand, raising the real environment's error numbers.

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "qvc/runtime/Env.h"

namespace qvc::test {

class FakeEnv final : public rt::Env {
  public:
    FakeEnv();

    // The clock: 2026-03-14 09:26:53 until set otherwise (month 1-12).
    void setLocalTime(int year, int month, int day, int hour, int minute, int second);

    // Failures (70, or 61 for a full disk). failWrite(n): the nth append from now, over all files.
    void failWrite(int n) { writesUntilFailure_ = n; }
    void failRenameOnto(const std::filesystem::path& target);  // with or without replacing
    void failCreatingIn(const std::filesystem::path& folder);  // files directly in `folder`
    // All files together hold at most `bytes`; an append beyond writes what fits, then fails.
    void setCapacity(std::size_t bytes) { capacity_ = bytes; }
    void clearFailures();

    void addFile(const std::filesystem::path& file, std::string contents);
    std::optional<std::string> contents(const std::filesystem::path& file) const;
    std::set<std::filesystem::path> files() const;
    // Whether the file now at `file` was synced while written, under whatever name.
    bool wasSynced(const std::filesystem::path& file) const;

    std::tm localTime() const override { return time_; }
    std::unique_ptr<rt::WritableFile> createNewFile(const std::filesystem::path& file) override;
    bool renameNoReplace(const std::filesystem::path& from,
                         const std::filesystem::path& to) override;
    void renameReplacing(const std::filesystem::path& from,
                         const std::filesystem::path& to) override;
    bool removeFile(const std::filesystem::path& file) noexcept override;
    std::vector<std::string> listFolder(const std::filesystem::path& folder) const override;
    bool fileExists(const std::filesystem::path& file) const override;
    bool folderExists(const std::filesystem::path& folder) const override;
    void createFolders(const std::filesystem::path& folder) override;

    void append(const std::filesystem::path& file, std::string_view data);
    void noteSync(const std::filesystem::path& file) { synced_.insert(file); }

  private:
    void checkRename(const std::filesystem::path& from, const std::filesystem::path& to) const;
    std::size_t usedBytes() const;
    void moveFile(const std::filesystem::path& source, const std::filesystem::path& target);

    std::tm time_{};
    std::map<std::filesystem::path, std::string> files_;
    std::set<std::filesystem::path> synced_;
    std::set<std::filesystem::path> folders_;
    int writesUntilFailure_ = 0;  // 0: no failure planned
    std::set<std::filesystem::path> failingRenameTargets_;
    std::set<std::filesystem::path> failingFolders_;
    std::optional<std::size_t> capacity_;
};

}  // namespace qvc::test
