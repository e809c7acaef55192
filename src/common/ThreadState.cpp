#include "common/ThreadState.h"

namespace qvc {

namespace {
thread_local ThreadState state;
}

ThreadState& threadState() {
    return state;
}

void resetThreadState() {
    if (state.gdbProject) {
        try {
            state.gdbProject->Close();
        } catch (...) {
        }
    }
    state = ThreadState{};
}

}  // namespace qvc
