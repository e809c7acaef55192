#include "qvc/runtime/NumberFormat.h"

#include <charconv>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "qvc/runtime/Rounding.h"

namespace qvc::rt {
namespace {

// Inserts the separator into a run of digits as the grouping says.
std::string GroupDigits(std::string_view digits, const NumberPunctuation& p) {
    if (p.grouping.empty() || p.thousandsSeparator.empty()) {
        return std::string(digits);
    }
    std::vector<std::string_view> groups;  // right to left
    size_t end = digits.size();
    size_t gi = 0;
    int size = static_cast<unsigned char>(p.grouping[0]);
    while (end > 0) {
        if (size <= 0 || size == CHAR_MAX || end <= static_cast<size_t>(size)) {
            groups.push_back(digits.substr(0, end));
            break;
        }
        groups.push_back(digits.substr(end - static_cast<size_t>(size), static_cast<size_t>(size)));
        end -= static_cast<size_t>(size);
        if (gi + 1 < p.grouping.size()) {
            size = static_cast<unsigned char>(p.grouping[++gi]);
        }
    }
    std::string out;
    for (auto it = groups.rbegin(); it != groups.rend(); ++it) {
        if (!out.empty()) {
            out.append(p.thousandsSeparator);
        }
        out.append(*it);
    }
    return out;
}

std::string ExponentText(int exponent) {
    std::string out = exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) {
        out.push_back('0');
    }
    out.append(std::to_string(magnitude));
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
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    const std::string_view text(buf, static_cast<size_t>(res.ptr - buf));
    const size_t e = text.find('e');
    std::string digits(1, text[0]);
    digits.append(text.substr(2, e - 2));
    std::string_view expText = text.substr(e + 1);
    if (expText[0] == '+') {
        expText.remove_prefix(1);
    }
    int exponent = 0;
    std::from_chars(expText.data(), expText.data() + expText.size(), exponent);
    digits.erase(digits.find_last_not_of('0') + 1);

    std::string out = value < 0 ? "-" : "";
    if (exponent >= 15 || exponent < -4) {
        out.push_back(digits[0]);
        if (digits.size() > 1) {
            out.push_back('.');
            out.append(digits, 1);
        }
        out.append(ExponentText(exponent));
        return out;
    }
    const int pointPos = exponent + 1;  // digits before the decimal point
    if (pointPos <= 0) {
        out.append("0.");
        out.append(static_cast<size_t>(-pointPos), '0');
        out.append(digits);
        return out;
    }
    const auto whole = static_cast<size_t>(pointPos);
    if (digits.size() <= whole) {
        out.append(digits);
        out.append(whole - digits.size(), '0');
        return out;
    }
    out.append(digits, 0, whole);
    out.push_back('.');
    out.append(digits, whole);
    return out;
}

}  // namespace qvc::rt
