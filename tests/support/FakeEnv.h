#pragma once
// An in-memory environment for tests: files and folders in a map, a clock that
// shows a fixed, settable time, and failures on demand (the Nth write, a
// rename onto a given file, creating files in a given folder, a full disk).
// Install it for a test with rt::ScopedEnv:
//
//     FakeEnv env;
//     env.createFolders("/out");
//     rt::ScopedEnv scope(env);
//
// Paths are used as given after lexical normalisation ("a/./b" is "a/b"); the
// real file system is never touched. "/" and "." exist from the start. Errors
// carry the numbers and texts the real environment gives for the same
// failure (70 "Permission denied", 61 "No space left on device", ...).

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

    // Failures. Writes are counted over all files from the moment of the call:
    // failWrite(1) makes the next append fail (70), failWrite(3) the third.
    void failWrite(int n);
    // A rename whose target is `target` fails (70), with or without replacing.
    void failRenameOnto(const std::filesystem::path& target);
    // Creating a file directly in `folder` fails (70).
    void failCreatingIn(const std::filesystem::path& folder);
    // The disk holds `bytes` bytes of file contents in all; an append beyond
    // fails (61) after writing what fits, as a real disk does.
    void setCapacity(std::size_t bytes);
    // Forgets every failure planned above.
    void clearFailures();

    // Test set-up and inspection.
    void addFile(const std::filesystem::path& file, std::string contents);
    std::optional<std::string> contents(const std::filesystem::path& file) const;
    // Every file's path, sorted.
    std::set<std::filesystem::path> files() const;
    // Whether the file now at `file` was synced while it was written (a sync
    // counts for the file under whatever name it was renamed to).
    bool wasSynced(const std::filesystem::path& file) const;

    std::tm localTime() const override;
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

    // Called by the files this environment hands out.
    void append(const std::filesystem::path& file, std::string_view data);
    void noteSync(const std::filesystem::path& file);

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
