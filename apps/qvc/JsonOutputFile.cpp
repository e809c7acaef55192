#include "JsonOutputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "ProjectSession.h"

namespace qvc::cli {

namespace {

namespace fs = std::filesystem;

std::string text(const nlohmann::ordered_json& doc, const char* lineEnd) {
    // Titles read from an old project may not be valid UTF-8: U+FFFD instead
    // of a failure. Line breaks occur only between tokens (strings escape
    // theirs), so each can become the line end asked for.
    const std::string plain =
        doc.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    std::string out;
    out.reserve(plain.size() + plain.size() / 16);
    for (char c : plain) {
        if (c == '\n')
            out += lineEnd;
        else
            out += c;
    }
    return out + lineEnd;
}

// A new file of our own beside `target`, opened for writing.
int createBeside(const fs::path& target, fs::path& temp) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = folder /
               (".qvc-json-" + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp");
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

void writeJsonOutput(const nlohmann::ordered_json& doc, const std::string& path) {
    if (path == "-") {
        std::cout << text(doc, "\n") << std::flush;
        if (!std::cout)
            throw CommandError("the results could not be written to standard output");
        return;
    }
    const fs::path target(path);
    fs::path temp;
    const int fd = createBeside(target, temp);
    if (fd < 0)
        throw CommandError("cannot write the results beside " + path + ": " + std::strerror(errno));
    const bool written = writeAll(fd, text(doc, "\r\n"));
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        std::error_code ec;
        fs::remove(temp, ec);
        throw CommandError("writing the results to " + path +
                           " failed: " + std::strerror(written ? errno : writeError));
    }
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        const int renameError = errno;
        std::error_code ec;
        fs::remove(temp, ec);
        throw CommandError("cannot write the results to " + path + ": " +
                           std::strerror(renameError));
    }
}

}  // namespace qvc::cli
