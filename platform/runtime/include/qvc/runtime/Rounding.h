#pragma once
// Rounding as Basic does it: halves go to the even neighbour (banker's rounding),
// Int rounds down, Fix cuts towards zero.
//
// A double carries about 15 to 17 significant decimal digits, and a value such as
// 2.675 is stored as 2.67499999999999982236431605997495353221893310546875. These
// functions round the value as it reads with 15 significant digits, so 2.675
// rounds like the decimal 2.675 (to 2.68) and a product such as 1.1 * 55 that lands
// at 60.50000000000001 counts as the half it is meant to be (to 60). Digits beyond the
// fifteenth are treated as noise of the binary representation. From 1E15 on, where
// 15 digits would not even cover the whole part, the exact value is rounded.
//
// NaN and infinities pass through unchanged; no function returns a negative zero.

#include <string>
#include "qvc/runtime/Export.h"

namespace qvc::rt {

// To a whole number: 0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -2.5 -> -2.
QVC_RUNTIME_EXPORT double RoundHalfEven(double x);
// To `decimals` places after the point (0 or more; a negative count raises 5).
QVC_RUNTIME_EXPORT double RoundHalfEven(double x, int decimals);
// The same rounding as plain text: an optional "-", digits, and when decimals > 0 a
// "." followed by exactly `decimals` digits; never "-0". No grouping, independent of
// the locale. NaN and infinities give "NaN", "Infinity" and "-Infinity".
QVC_RUNTIME_EXPORT std::string RoundHalfEvenText(double x, int decimals);

// Basic Int: the largest whole number not above x (Int(-2.5) = -3).
QVC_RUNTIME_EXPORT double Int(double x);
// Basic Fix: the whole-number part, cut towards zero (Fix(-2.5) = -2).
QVC_RUNTIME_EXPORT double Fix(double x);

}  // namespace qvc::rt
