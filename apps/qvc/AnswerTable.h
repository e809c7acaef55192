#pragma once
// The answer of a calculated study in a few lines for the terminal: the design
// cases in rank order with their total present worth, then the preferred case
// (mutually exclusive cases: the winner of the last comparison) or the cases
// that beat the base case (independent cases: the challengers that win their
// comparison with case number 1).

#include <ostream>
#include <vector>

#include "CalculatedCase.h"
#include "qvc/cStudy.h"
#include "tavlo/ILifeCycleEngine.h"

namespace qvc::cli {

void printAnswer(std::ostream& out, int studyId, const cStudy& study,
                 const tavlo::ILifeCycleEngine& engine, const std::vector<CalculatedCase>& cases);

}  // namespace qvc::cli
