#include "ComponentViewerEnvironment.h"

#include "common/ErrorMessage.h"
#include "common/Help.h"
#include "common/ResourceStrings.h"
#include "common/ThreadState.h"

namespace qvc {

namespace {

void loadTexts() {
    try {
        AssignResourceStrings();
    } catch (...) {
        // Texts that cannot be loaded stay empty, as for every report object.
    }
}

}  // namespace

std::string ComponentViewerEnvironment::text(std::string_view key) const {
    loadTexts();
    for (const ResourceKey& k : kResourceKeys) {
        if (k.name == key) {
            return threadState().res.*(k.member);
        }
    }
    return std::string();
}

std::string ComponentViewerEnvironment::formatError(const std::string& record) const {
    loadTexts();
    return FormatErrorMessage(record);
}

void ComponentViewerEnvironment::showHelp(int32_t context) const {
    ShowHelp(context);
}

std::string ComponentViewerEnvironment::tempFolder() const {
    return threadState().strTempPath;
}

}  // namespace qvc
