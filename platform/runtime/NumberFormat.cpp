#include "qvc/runtime/NumberFormat.h"

#include <fmt/format.h>

#include <charconv>
#include <climits>
#include <clocale>
#include <cmath>
#include <locale>
#include <string_view>

#include "qvc/runtime/Rounding.h"

namespace qvc::rt {
namespace {

// fmt groups digits through a std::numpunct facet, whose separator is one byte.
// The facet below groups with this stand-in, which the caller then replaces by the
// real separator (which may be several bytes, as U+202F is in UTF-8).
constexpr char kSeparatorStandIn = ',';

class StandInGrouping : public std::numpunct<char> {
  public:
    explicit StandInGrouping(std::string grouping) : grouping_(std::move(grouping)) {}

  protected:
    char do_thousands_sep() const override { return kSeparatorStandIn; }
    char do_decimal_point() const override { return '.'; }
    std::string do_grouping() const override { return grouping_; }

  private:
    std::string grouping_;
};

// The locale grouping by `grouping`; the last one made is kept, as every call of a
// run normally asks for the same.
const std::locale& GroupingLocale(const std::string& grouping) {
    struct Cache {
        std::string grouping;
        std::locale locale;
        bool made = false;
    };
    thread_local Cache cache;
    if (!cache.made || cache.grouping != grouping) {
        cache.locale = std::locale(std::locale::classic(), new StandInGrouping(grouping));
        cache.grouping = grouping;
        cache.made = true;
    }
    return cache.locale;
}

// The whole-number digits grouped by the punctuation. Any whole part that rounding
// gives is a double exactly (below 2^52 every integer is, and from there on the
// value had no fraction to round), so fmt writes back the very same digits.
std::string GroupDigits(std::string_view digits, const NumberPunctuation& p) {
    if (p.grouping.empty() || p.thousandsSeparator.empty()) {
        return std::string(digits);
    }
    double whole = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), whole);
    const std::string grouped = fmt::format(GroupingLocale(p.grouping), "{:.0Lf}", whole);
    std::string out;
    out.reserve(grouped.size() * 2);
    for (char c : grouped) {
        if (c == kSeparatorStandIn) {
            out.append(p.thousandsSeparator);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace

NumberPunctuation CurrentNumberPunctuation() {
    const std::lconv* lc = std::localeconv();
    NumberPunctuation p;
    const std::string decimalPoint = lc->decimal_point ? lc->decimal_point : "";
    const std::string separator = lc->thousands_sep ? lc->thousands_sep : "";
    const std::string grouping = lc->grouping ? lc->grouping : "";
    p.decimalPoint = decimalPoint.empty() ? "." : decimalPoint;
    const bool hasGrouping =
        !separator.empty() && !grouping.empty() && grouping[0] > 0 && grouping[0] != CHAR_MAX;
    if (hasGrouping) {
        p.thousandsSeparator = separator;
        p.grouping = grouping;
    } else {
        // One-character assigns: GCC 12 at -O3 warns (-Wrestrict, a false positive)
        // about the inlined copy of a string literal here.
        p.thousandsSeparator.assign(1, p.decimalPoint == "," ? '.' : ',');
        p.grouping.assign(1, '\3');
    }
    return p;
}

std::string FormatNumber(double value, int decimals, bool group,
                         const NumberPunctuation& punctuation) {
    const std::string plain = RoundHalfEvenText(value, decimals);
    if (!std::isfinite(value)) {
        return plain;
    }
    std::string_view rest(plain);
    std::string out;
    if (!rest.empty() && rest[0] == '-') {
        out.push_back('-');
        rest.remove_prefix(1);
    }
    const size_t point = rest.find('.');
    const std::string_view whole = rest.substr(0, point);
    out.append(group ? GroupDigits(whole, punctuation) : std::string(whole));
    if (point != std::string_view::npos) {
        out.append(punctuation.decimalPoint);
        out.append(rest.substr(point + 1));
    }
    return out;
}

std::string FormatNumber(double value, int decimals, bool group) {
    return FormatNumber(value, decimals, group, CurrentNumberPunctuation());
}

std::string FormatInteger(double value) {
    return FormatNumber(value, 0);
}

std::string CStr(double value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "Infinity" : "-Infinity";
    }
    if (value == 0) {
        return "0";
    }
    // 15 significant digits as d.dddddddddddddde[+-]x, then trailing zeros dropped.
    const std::string text = fmt::format("{:.14e}", std::fabs(value));
    const size_t e = text.find('e');
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    digits.erase(digits.find_last_not_of('0') + 1);
    int exponent = 0;
    const char* expBegin = text.data() + e + (text[e + 1] == '+' ? 2 : 1);
    std::from_chars(expBegin, text.data() + text.size(), exponent);

    std::string out = value < 0 ? "-" : "";
    if (exponent >= 15 || exponent < -4) {
        out.push_back(digits[0]);
        if (digits.size() > 1) {
            out.push_back('.');
            out.append(digits, 1);
        }
        return out + fmt::format("E{}{:02}", exponent < 0 ? '-' : '+', std::abs(exponent));
    }
    const int pointPos = exponent + 1;  // digits before the decimal point
    if (pointPos <= 0) {
        return out + "0." + std::string(static_cast<size_t>(-pointPos), '0') + digits;
    }
    const auto whole = static_cast<size_t>(pointPos);
    if (digits.size() <= whole) {
        return out + digits + std::string(whole - digits.size(), '0');
    }
    return out + digits.substr(0, whole) + "." + digits.substr(whole);
}

}  // namespace qvc::rt
