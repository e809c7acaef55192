#pragma once
// The largest salvage value an investment item may carry, in base-date money:
// the item's escalated cost in the year it is bought, cut to whole money, and
// discounted back at the item's own escalation over the years to its disposal.

namespace qvc::calc {

// cost C, escalation e (fraction), purchase year y, useful life n:
// 0 when C < 0; C when e = 0; otherwise Int(C (1 + e)^y) / (1 + e)^(y + n).
double salvageLimit(double cost, double escalation, double year, double life);

}  // namespace qvc::calc
