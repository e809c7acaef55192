#pragma once
// The published MACRS percentages (general depreciation system, half-year
// convention) for the recovery periods 3, 5, 7, 10, 15 and 20 years.

#include <span>

namespace tavlo {

// Percentages of the basis for the D + 1 calendar years of recovery period D,
// or an empty span when D has no published row.
std::span<const double> macrsPercentages(int recoveryYears);

}  // namespace tavlo
