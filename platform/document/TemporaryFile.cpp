#include "TemporaryFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace qvc::doc::detail {

namespace fs = std::filesystem;

namespace {

constexpr int kAttempts = 64;

std::string hex(uint64_t v) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string s(16, '0');
    for (int i = 15; i >= 0; --i, v >>= 4)
        s[static_cast<size_t>(i)] = kDigits[v & 0xF];
    return s;
}

// Differs between processes, between calls and between runs; uniqueness itself
// comes from O_EXCL, this only makes a clash unlikely.
uint64_t nextTag() {
    static std::atomic<uint64_t> counter{0};
    const auto now =
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    uint64_t x = now ^ (static_cast<uint64_t>(::getpid()) << 40) ^
                 (counter.fetch_add(1) * 0x9E3779B97F4A7C15ull);
    x ^= x >> 31;
    x *= 0xBF58476D1CE4E5B9ull;
    return x ^ (x >> 29);
}

}  // namespace

std::optional<fs::path> createTemporaryFile(const fs::path& folder) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        fs::path temp = folder / (".qvc-" + hex(nextTag()) + ".tmp");
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return temp;
        }
        if (errno != EEXIST)
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<bool> moveIntoPlace(const fs::path& temp, const fs::path& target) {
    // Renaming without replacing tells atomically whether the target is new.
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    bool existed = errno == EEXIST;
    if (!existed) {
        if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
            return std::nullopt;
        // A file system that cannot rename without replacing: look first.
        std::error_code ec;
        existed = fs::exists(fs::symlink_status(target, ec));
    }
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return std::nullopt;
    return !existed;
}

}  // namespace qvc::doc::detail
