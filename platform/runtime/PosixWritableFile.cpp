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

void PosixWritableFile::syncAndClose() {
    if (fd_ < 0)
        throw Error(err::kInvalidProcedureCall, "The file \"" + path_.string() + "\" is closed");
    const int fd = fd_;
    fd_ = -1;
    // A file system without sync support (EINVAL) still keeps the data.
    if (::fdatasync(fd) != 0 && errno != EINVAL) {
        const int error = errno;
        ::close(fd);
        throw systemError(error, "cannot save", path_);
    }
    if (::close(fd) != 0)
        throw systemError(errno, "cannot save", path_);
}

}  // namespace qvc::rt
