#pragma once
// The rate of return of a series of yearly savings (end of year y, y = 0..L).

#include <span>

namespace tavlo {

// The rate r > -1 at which the savings earn their money back: a root where
// their present worth falls from positive (just below r) to negative (just
// above). A root where the present worth rises through zero is a borrowing
// rate and never counts. Of the falling roots, the one nearest `discountRate`
// is returned (the lower one when two are equally near); exactly -1 when there
// is none, and always when the savings lack a year above or a year below zero
// (|x| <= 1e-9 counts as zero).
//
// The rates -0.99, -0.98, ..., 10.00 and then 10 * 1.5^k up to 1e9 are scanned
// in order. A grid rate whose present worth is within 1e-9 of the present
// worth of the absolute savings counts as zero; it is the root itself when its
// nearest non-zero neighbours are positive below and negative above. Any other
// falling sign change between neighbouring grid rates is refined by Brent's
// method to 1e-10.
double internalRateOfReturn(std::span<const double> amounts, double discountRate);

}  // namespace tavlo
