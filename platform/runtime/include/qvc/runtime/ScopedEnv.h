#pragma once
// Replaces Env::Default() while the object lives (tests: a fake file system
// and clock for one test), and restores the one before on destruction. Scopes
// nest; they are meant for one thread at a time (set before the code under
// test starts its work).

#include "qvc/runtime/Env.h"
#include "qvc/runtime/Export.h"

namespace qvc::rt {

class QVC_RUNTIME_EXPORT ScopedEnv {
  public:
    explicit ScopedEnv(Env& env);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    Env* previous_;
};

}  // namespace qvc::rt
