#include "reports/ReportFolder.h"

#include <filesystem>

#include "qvc/ui/Services.h"

namespace qvc::reports {

std::string reportFolder(const std::string& fallback) {
    const std::filesystem::path out = ui::Services::outputFolder();
    return out.empty() ? fallback : out.string();
}

}  // namespace qvc::reports
