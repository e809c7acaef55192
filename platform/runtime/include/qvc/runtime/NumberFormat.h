#pragma once
// Numbers as text for people (with the locale's digit grouping) and as Basic's
// CStr writes them.

#include <string>
#include "qvc/runtime/Export.h"

namespace qvc::rt {

// Decimal point and digit grouping of a locale. `grouping` follows the C library's
// localeconv convention: each byte is the size of a group counted from the decimal
// point leftwards, the last size repeats, and CHAR_MAX ends the grouping.
struct QVC_RUNTIME_EXPORT NumberPunctuation {
    std::string decimalPoint = ".";
    std::string thousandsSeparator = ",";
    std::string grouping = "\3";
};

// The punctuation of the current LC_NUMERIC locale. A locale without digit grouping
// (the C/POSIX locale) gets "," every three digits and "." as the decimal point;
// if its decimal point is "," the groups are separated by "." instead.
QVC_RUNTIME_EXPORT NumberPunctuation CurrentNumberPunctuation();

// `value` rounded half-to-even to `decimals` places (see Rounding.h), with exactly
// `decimals` digits after the decimal point, grouped when `group` is set, with a
// leading "-" when negative and never "-0" (-0.4 gives "0"). A negative count of
// decimals raises 5. NaN and infinities give "NaN", "Infinity" and "-Infinity".
QVC_RUNTIME_EXPORT std::string FormatNumber(double value, int decimals, bool group = true);
QVC_RUNTIME_EXPORT std::string FormatNumber(double value, int decimals, bool group,
                                            const NumberPunctuation& punctuation);
// A whole number with grouping: FormatNumber(value, 0).
QVC_RUNTIME_EXPORT std::string FormatInteger(double value);

// The text Basic's CStr gives for a double: up to 15 significant digits, no
// trailing zeros, no decimal point for whole numbers, "." as the decimal point
// whatever the locale, and the exponent form "1.5E+15" / "1E-05" when the value is
// 1E15 or more or below 1E-4 in size. 0.1 + 0.2 gives "0.3".
QVC_RUNTIME_EXPORT std::string CStr(double value);

}  // namespace qvc::rt
