#include "qvc/ReportOutput.h"

#include "qvc/ui/Services.h"

namespace qvc {

void SetReportFolder(const std::string& folder) {
    ui::Services::setOutputFolder(folder);
}

}  // namespace qvc
