#pragma once
// The component's view of its environment: the clock and the few file-system
// operations it uses. Code that writes files or prints the time takes them
// from an Env, so tests can run it against an in-memory file system with a
// fixed clock and make any step fail.
//
// Env::Default() is the environment of the process: the real clock and file
// system, unless a ScopedEnv has replaced it for a while (tests do).
//
// Every operation raises qvc::rt::Error on failure, with the Basic numbers of
// ErrorNumbers.h: 53 file not found, 58 file already exists, 61 disk full,
// 70 permission denied (any other refusal), 76 folder not found.

#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "qvc/runtime/Export.h"
#include "qvc/runtime/WritableFile.h"

namespace qvc::rt {

class QVC_RUNTIME_EXPORT Env {
  public:
    Env() = default;
    Env(const Env&) = delete;
    Env& operator=(const Env&) = delete;
    virtual ~Env() = default;

    // The environment in use: the real one, or the one a ScopedEnv set.
    static Env& Default();

    // The real clock and file system (std::time, POSIX calls).
    static Env& Real();

    // The current local time (as the reports print it). Reads the clock on
    // every call.
    virtual std::tm localTime() const = 0;

    // Creates `file`, which must not exist yet (exclusively, like O_EXCL: an
    // existing file is never opened or truncated; 58 when there is one).
    virtual std::unique_ptr<WritableFile> createNewFile(const std::filesystem::path& file) = 0;

    // Renames `from` to `to` only when `to` does not exist: true when renamed,
    // false when `to` exists (nothing changed). The test and the rename are
    // one step.
    virtual bool renameNoReplace(const std::filesystem::path& from,
                                 const std::filesystem::path& to) = 0;

    // Renames `from` to `to`, replacing a file `to` in one step.
    virtual void renameReplacing(const std::filesystem::path& from,
                                 const std::filesystem::path& to) = 0;

    // Removes a file; false when there was none. Used to clean up, so it
    // raises nothing: a file that cannot be removed also gives false.
    virtual bool removeFile(const std::filesystem::path& file) noexcept = 0;

    // The names (not paths) of the entries of `folder`, sorted; 76 when it is
    // not a folder.
    virtual std::vector<std::string> listFolder(const std::filesystem::path& folder) const = 0;

    virtual bool fileExists(const std::filesystem::path& file) const = 0;
    virtual bool folderExists(const std::filesystem::path& folder) const = 0;

    // Creates `folder` and its missing parents; nothing when it exists.
    virtual void createFolders(const std::filesystem::path& folder) = 0;
};

}  // namespace qvc::rt
