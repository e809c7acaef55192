#pragma once
// Break-even discount rates. A case's cash flows in actual money do not depend
// on the discount rate (only their present worth does), so after one
// calculation each case's total present worth at any rate d is the
// polynomial TPW(d) = sum over y of CF(y) (1 + d)^-y. Where two cases' TPWs
// cross is then a root of the difference of two such sums, found without
// calculating the study again.

#include <optional>
#include <vector>

#include "tavlo/ILifeCycleEngine.h"

namespace qvc::calc {

// Each alternative's cash flow CF(y), y = 0..L (after taxes when taxes
// apply: the flow whose present worth is the TPW), from a calculated engine.
std::vector<std::vector<double>> cashFlowsOf(const tavlo::ILifeCycleEngine& engine);

// sum of flows[y] (1 + rate)^-y.
double presentWorth(const std::vector<double>& flows, double rate);

// The lowest discount rate in [low, high] where the present worths of the two
// flows are equal and change order (a grid of steps of 0.1 % finds the sign
// change, bisection refines it to 1e-13). Flows that are equal in every year
// never cross; nothing when there is no crossing in the range.
std::optional<double> lowestCrossing(const std::vector<double>& a, const std::vector<double>& b,
                                     double low, double high);

}  // namespace qvc::calc
