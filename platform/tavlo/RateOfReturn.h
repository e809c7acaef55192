#pragma once
// The internal rate of return of a series of yearly amounts (end of year y,
// y = 0..L).

#include <span>

namespace tavlo {

// The rate r > -1 at which the amounts have zero present worth, or exactly -1
// when there is none: the amounts must have a year above and a year below
// zero (|x| <= 1e-9 counts as zero). The rates -0.99, -0.98, ..., 10.00 and then
// 10 * 1.5^k up to 1e9 are scanned in order; a grid rate whose present worth is
// within 1e-9 of the present worth of the absolute amounts is the answer,
// otherwise the first interval where the present worth changes sign is refined
// by Brent's method to 1e-10.
double internalRateOfReturn(std::span<const double> amounts);

}  // namespace tavlo
