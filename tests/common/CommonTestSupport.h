#pragma once

#include <filesystem>
#include <string>

#include "TestSupport.h"
#include "common/ThreadState.h"

namespace qvc::test {

inline std::filesystem::path freshDir(const std::string& name) {
    return freshDir("common", name);
}

class ThreadStateGuard {
  public:
    ThreadStateGuard() { resetThreadState(); }
    ~ThreadStateGuard() { resetThreadState(); }
};

}  // namespace qvc::test
