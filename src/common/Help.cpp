#include "common/Help.h"

#include <filesystem>

#include "common/ThreadState.h"
#include "qvc/ui/Services.h"

namespace qvc {

void ShowHelp(int32_t context) {
    const std::string& helpFile = threadState().gHelpFile;
    std::error_code ec;
    if (helpFile.empty() || !std::filesystem::is_regular_file(helpFile, ec))
        return;
    try {
        if (auto help = ui::Services::help())
            help->open(helpFile, context);
    } catch (...) {
        // Like the result of the help viewer, a failure to open is not reported.
    }
}

}  // namespace qvc
