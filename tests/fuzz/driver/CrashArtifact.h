#pragma once
// Saves the input being run when the process dies: a failed check (abort), an
// uncaught exception, a sanitizer report or a fatal signal. The file can be
// given back to the target to reproduce the failure.

#include <cstddef>
#include <cstdint>
#include <string>

namespace qvc::fuzz {

class CrashArtifact {
  public:
    // Installs the handlers; the input goes to `path`.
    static void watch(const std::string& path);
    // The input about to be run; it must stay alive until the next call.
    static void current(const std::uint8_t* data, std::size_t size);
};

}  // namespace qvc::fuzz
