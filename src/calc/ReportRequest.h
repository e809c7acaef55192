#pragma once
// What the host's report codes ("LS-AD-CF", see cORVCalculator::sReportTypes)
// ask of a calculation, and the messages a run shows the user.

#include <string>

#include "common/ThreadState.h"
#include "qvc/ui/MessageBox.h"
#include "qvc/ui/Services.h"

namespace qvc::calc {

inline bool requested(const std::string& types, const char* code) {
    return types.find(code) != std::string::npos;
}
// Any report that shows engine results.
inline bool resultsRequested(const std::string& t) {
    return requested(t, "AD") || requested(t, "LS") || requested(t, "TPW") || requested(t, "CF") ||
           requested(t, "ACF");
}
// Any report of the entered data (design cases, study inputs).
inline bool inputsRequested(const std::string& t) {
    return requested(t, "DC") || requested(t, "SI");
}

// Information icon, OK button, default title.
inline void inform(const std::string& text) {
    ui::Services::messageBox()->show(text, ui::mb::kInformation, "");
}

// The title of the case in the shared case arrays ("" when none is loaded).
inline std::string caseTitle(const ThreadState& state) {
    const auto& gen = state.arrCaseGen;
    return gen.isDimensioned() ? gen(1) : std::string();
}

}  // namespace qvc::calc
