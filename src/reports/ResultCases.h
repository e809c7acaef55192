#pragma once
// What the result reports need about the calculated design cases: the engine's
// collections of the last run and the names of the cases, and the order in
// which every list of cases is shown: by the engine's Rank (1 first), or by
// increasing first cost where a table says so.

#include <cstdint>
#include <string>
#include <vector>

#include "reports/ReportInputs.h"
#include "tavlo/IAlternatives.h"
#include "tavlo/IComparisons.h"

namespace qvc::reports {

// The collections kept after the last run; raises 91 when there are none.
const tavlo::IAlternatives& resultAlternatives(const ReportInputs& in);
const tavlo::IComparisons& resultComparisons(const ReportInputs& in);

// Positions (1-based, in colAlternatives) in rank order: slot Rank(i) of a list
// of Count slots receives Number(i); then for each slot every alternative whose
// Number equals the slot's entry follows. A Rank outside 1..Count raises 9.
std::vector<int16_t> rankOrder(const tavlo::IAlternatives& alternatives);

// Positions in order of increasing first cost; equal first costs keep the
// order of their case numbers (the alternative's Number).
std::vector<int16_t> firstCostOrder(const tavlo::IAlternatives& alternatives);

// Title and short title of the design case at `position` in the case
// snapshots (the alternative's position or a comparison's case number; 0
// stands for case 1).
std::string caseTitle(const ReportInputs& in, int32_t position);
std::string caseShortTitle(const ReportInputs& in, int32_t position);

}  // namespace qvc::reports
