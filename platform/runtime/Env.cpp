#include "qvc/runtime/Env.h"

#include <atomic>

#include "PosixEnv.h"
#include "qvc/runtime/ScopedEnv.h"

namespace qvc::rt {

namespace {

// The environment ScopedEnv installed, or null for the real one.
std::atomic<Env*> replacement{nullptr};

}  // namespace

Env& Env::Real() {
    static PosixEnv real;
    return real;
}

Env& Env::Default() {
    Env* env = replacement.load(std::memory_order_acquire);
    return env ? *env : Real();
}

ScopedEnv::ScopedEnv(Env& env) : previous_(replacement.exchange(&env)) {}

ScopedEnv::~ScopedEnv() {
    replacement.store(previous_);
}

}  // namespace qvc::rt
