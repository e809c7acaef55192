#include "PosixWritableFile.h"

#include <unistd.h>

#include <cerrno>

#include "PosixEnv.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::rt {

PosixWritableFile::PosixWritableFile(int fd, std::filesystem::path path)
    : fd_(fd), path_(std::move(path)) {}

PosixWritableFile::~PosixWritableFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

void PosixWritableFile::append(std::string_view data) {
    if (fd_ < 0)
        throw Error(err::kInvalidProcedureCall, "The file \"" + path_.string() + "\" is closed");
    while (!data.empty()) {
        const ssize_t n = ::write(fd_, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw systemError(errno, "cannot write to", path_);
        }
        data.remove_prefix(static_cast<size_t>(n));
    }
}

void PosixWritableFile::sync() {
    if (fd_ < 0)
        throw Error(err::kInvalidProcedureCall, "The file \"" + path_.string() + "\" is closed");
    // A file system without sync support (EINVAL) has nothing to wait for.
    if (::fdatasync(fd_) != 0 && errno != EINVAL)
        throw systemError(errno, "cannot save", path_);
}

void PosixWritableFile::close() {
    if (fd_ < 0)
        throw Error(err::kInvalidProcedureCall, "The file \"" + path_.string() + "\" is closed");
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        throw systemError(errno, "cannot save", path_);
}

}  // namespace qvc::rt
