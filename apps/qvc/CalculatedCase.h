#pragma once
// The design cases of a calculated study as the engine numbered them: the
// calculator hands the study's cases to the engine in the order of their IDs
// and numbers them 1..N in that order.

#include <string>
#include <vector>

#include "ProjectSession.h"

namespace qvc::cli {

struct CalculatedCase {
    int number = 0;  // the engine's alternative Number
    int caseId = 0;
    std::string title;
    std::string shortTitle;
};

// The cases of `studyId` in the engine's numbering. Raises CommandError when
// their count differs from `alternatives` (the study changed meanwhile).
std::vector<CalculatedCase> calculatedCases(ProjectSession& session, int studyId, int alternatives);

}  // namespace qvc::cli
