#include "qvc/ResManager.h"

#include "common/ThreadState.h"

namespace qvc {

void ResManager::SetResourceDB(const std::string& filespec) {
    threadState().gResourceDB = filespec;
}

void ResManager::SetHelpFile(const std::string& filespec) {
    threadState().gHelpFile = filespec;
}

}  // namespace qvc
