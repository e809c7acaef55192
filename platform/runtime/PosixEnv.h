#pragma once
// The real environment: the system clock read on every call (so a clock
// frozen for the process, as tests of whole runs do, is what reports print)
// and the POSIX file system.

#include "qvc/runtime/Env.h"
#include "qvc/runtime/Error.h"

namespace qvc::rt {

class PosixEnv final : public Env {
  public:
    std::tm localTime() const override;
    std::unique_ptr<WritableFile> createNewFile(const std::filesystem::path& file) override;
    bool renameNoReplace(const std::filesystem::path& from,
                         const std::filesystem::path& to) override;
    void renameReplacing(const std::filesystem::path& from,
                         const std::filesystem::path& to) override;
    bool removeFile(const std::filesystem::path& file) noexcept override;
    std::vector<std::string> listFolder(const std::filesystem::path& folder) const override;
    bool fileExists(const std::filesystem::path& file) const override;
    bool folderExists(const std::filesystem::path& folder) const override;
    void createFolders(const std::filesystem::path& folder) override;
};

// An Error for a failed system call: the number from `error` (an errno value:
// 58 exists, 61 no space, 76 missing folder, 53 missing file, 70 otherwise),
// the description "<action> \"<path>\": <system message>".
Error systemError(int error, const std::string& action, const std::filesystem::path& path);

}  // namespace qvc::rt
