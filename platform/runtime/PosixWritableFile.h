#pragma once
// A file opened for writing by PosixEnv: plain write(2) calls on its
// descriptor, fdatasync to sync, close(2) to close.

#include <filesystem>

#include "qvc/runtime/WritableFile.h"

namespace qvc::rt {

class PosixWritableFile final : public WritableFile {
  public:
    // Takes over the open descriptor `fd` of `path`.
    PosixWritableFile(int fd, std::filesystem::path path);
    ~PosixWritableFile() override;

    void append(std::string_view data) override;
    void sync() override;
    void close() override;

  private:
    int fd_;
    std::filesystem::path path_;
};

}  // namespace qvc::rt
