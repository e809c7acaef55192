#include "qvc/runtime/AtomicFileWrite.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::rt {

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
// comes from the exclusive create, this only makes a clash unlikely.
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

fs::path folderOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

// The target's name and folder, and the failure the environment reported.
Error cannotWrite(const fs::path& target, const Error& cause) {
    return Error(cause.number(), "Cannot write \"" + target.filename().string() +
                                     "\" into the folder \"" + folderOf(target).string() +
                                     "\": " + cause.description());
}

// Passes a temporary file's failures on as failures to write the target, so
// the error names the file the caller asked for.
class TargetFile final : public WritableFile {
  public:
    TargetFile(WritableFile& file, const fs::path& target) : file_(file), target_(target) {}
    void append(std::string_view data) override {
        try {
            file_.append(data);
        } catch (const Error& e) {
            throw cannotWrite(target_, e);
        }
    }
    void sync() override {
        try {
            file_.sync();
        } catch (const Error& e) {
            throw cannotWrite(target_, e);
        }
    }
    void close() override {
        try {
            file_.close();
        } catch (const Error& e) {
            throw cannotWrite(target_, e);
        }
    }

  private:
    WritableFile& file_;
    const fs::path& target_;
};

struct Temporary {
    fs::path path;
    std::unique_ptr<WritableFile> file;
};

Temporary createTemporary(Env& env, const fs::path& folder, const fs::path& target) {
    for (int attempt = 0;; ++attempt) {
        fs::path path = folder / (".qvc-" + hex(nextTag()) + ".tmp");
        try {
            return {path, env.createNewFile(path)};
        } catch (const Error& e) {
            if (e.number() != err::kFileAlreadyExists || attempt + 1 == kAttempts)
                throw cannotWrite(target, e);
        }
    }
}

// Renames the finished temporary file over the target; true when the target
// is new.
bool moveIntoPlace(Env& env, const fs::path& temp, const fs::path& target) {
    try {
        if (env.renameNoReplace(temp, target))
            return true;
        env.renameReplacing(temp, target);
        return false;
    } catch (const Error& e) {
        throw cannotWrite(target, e);
    }
}

}  // namespace

bool writeFileAtomically(Env& env, const fs::path& target,
                         const std::function<void(WritableFile&)>& write) {
    const fs::path folder = folderOf(target);
    if (!env.folderExists(folder)) {
        throw Error(err::kPathNotFound, "Cannot write \"" + target.filename().string() +
                                            "\": the folder \"" + folder.string() +
                                            "\" does not exist");
    }
    Temporary temp = createTemporary(env, folder, target);
    try {
        TargetFile file(*temp.file, target);
        write(file);
        // Replacing a file: its new contents must be on the disk before the
        // name moves to them, or a crash could leave the name on empty data.
        // A new file has no older contents to lose and is not waited for.
        if (env.fileExists(target))
            file.sync();
        file.close();
        temp.file.reset();
        return moveIntoPlace(env, temp.path, target);
    } catch (...) {
        temp.file.reset();
        env.removeFile(temp.path);
        throw;
    }
}

}  // namespace qvc::rt
