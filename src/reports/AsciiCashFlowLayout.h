#pragma once
// The fixed-width layouts of the text cash flow file: the stacked column
// headings and the value of every column, for studies with income taxes in the
// private sector (19 value columns, five heading lines) and for all others
// (11 value columns, four heading lines). Each layout ends its heading with a
// line of dashes.
//
// A line is five blanks, a 4-character year field, " ", a 4-character date
// field, then " " and the field of each value column in turn. Value columns
// are 11 characters wide, except the depreciation column of the tax layout,
// which is 15 wide on every line. A text longer than its
// field is kept whole and shifts the rest of the line.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/ResourceTexts.h"

namespace tavlo {
class IAlternative;
}

namespace qvc::reports::ascii {

inline constexpr const char* kIndent = "     ";

// `text` with blanks added on the left up to `width` characters (counted as
// characters, not bytes); a longer text unchanged.
std::string PadLeft(const std::string& text, long width);
std::string PadL11(const std::string& text);
// "(" currency symbol ")" right-aligned to `width`.
std::string CurrencyField(const std::string& currencySymbol, long width);

// The year field: the index right-aligned to 4; a number of more than four
// digits leaves the field blank.
std::string YearField(long year);
// The date field: base year + y - 1 right-aligned to 4; the initial date shows
// the first four characters of `initialText` (gXstrInitial).
std::string DateField(const std::string& initialText, long baseYear, long year);
// An engine value in a field: rounded half-to-even, plain digits with a
// leading "-" when negative, right-aligned to `width`.
std::string ValueField(double value, long width);

struct AsciiColumn {
    long width = 11;  // of the data fields
    // The engine value of the column for year y (already a whole number for
    // the columns that add two rounded values).
    std::function<double(const tavlo::IAlternative&, int16_t)> value;
};

struct AsciiLayout {
    std::vector<std::string> headerLines;  // complete lines, the last one dashes
    std::vector<AsciiColumn> columns;
    std::string initialText;  // gXstrInitial, for the date field of year 0
};

// The layouts with the headings in `res` and the study's currency symbol.
// BuildOtherASCIICashFlow: every study except private sector with income taxes.
AsciiLayout otherLayout(const ResourceTexts& res, const std::string& currencySymbol);
// BuildITPvtSectorCashFlow: private sector with income taxes.
AsciiLayout incomeTaxLayout(const ResourceTexts& res, const std::string& currencySymbol);

// One data line: indent, year, date and every column's value field.
std::string dataLine(const AsciiLayout& layout, const tavlo::IAlternative& alternative,
                     long baseYear, int16_t year);

}  // namespace qvc::reports::ascii
