#include "reports/ReportState.h"

namespace qvc {

namespace {
thread_local ReportState state;
}

ReportState& reportState() {
    return state;
}

void resetReportState() {
    state = ReportState{};
}

}  // namespace qvc
