#include "qvc/runtime/Rounding.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::rt {
namespace {

constexpr int kSignificantDigits = 15;
// From 2^52 on every double is a whole number.
constexpr double kAllWhole = 4503599627370496.0;
constexpr double kFifteenDigits = 1e15;
// Beyond this many places nothing is left to round; longer requests are refused
// rather than producing texts of unbounded length.
constexpr int kMaxDecimals = 340;

// |x| as 0.DDDD... x 10^pointPos (x finite, not zero): 15 significant digits, or
// for |x| >= 1E15 every whole-number digit and the exact binary fraction, so that
// large amounts never lose digits of their whole part.
struct DecimalDigits {
    std::string digits;
    int pointPos = 0;
};

DecimalDigits ToDecimalDigits(double magnitude) {
    char buf[400];
    const auto res =
        magnitude < kFifteenDigits
            ? std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                            kSignificantDigits - 1)
            : std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed, 3);
    const std::string_view text(buf, static_cast<size_t>(res.ptr - buf));
    const size_t e = text.find('e');
    const std::string_view mantissa = text.substr(0, e);
    DecimalDigits d;
    int beforePoint = -1;
    for (char c : mantissa) {
        if (c == '.') {
            beforePoint = static_cast<int>(d.digits.size());
        } else {
            d.digits.push_back(c);
        }
    }
    if (beforePoint < 0) {
        beforePoint = static_cast<int>(d.digits.size());
    }
    int exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view expText = text.substr(e + 1);
        if (!expText.empty() && expText[0] == '+') {
            expText.remove_prefix(1);
        }
        std::from_chars(expText.data(), expText.data() + expText.size(), exponent);
    }
    d.pointPos = beforePoint + exponent;
    return d;
}

// Keeps the first `keep` digits, rounding the rest away half-to-even.
void RoundDigits(DecimalDigits& d, int keep) {
    if (keep >= static_cast<int>(d.digits.size())) {
        return;
    }
    if (keep < 0) {
        d.digits.clear();  // below half of the last kept place
        return;
    }
    const auto k = static_cast<size_t>(keep);
    const char first = d.digits[k];
    const bool restNonZero = d.digits.find_first_not_of('0', k + 1) != std::string::npos;
    const bool lastOdd = k > 0 && ((d.digits[k - 1] - '0') % 2) == 1;
    const bool up = first > '5' || (first == '5' && (restNonZero || lastOdd));
    d.digits.resize(k);
    if (!up) {
        return;
    }
    size_t i = k;
    while (i > 0 && d.digits[i - 1] == '9') {
        d.digits[--i] = '0';
    }
    if (i == 0) {
        d.digits.insert(d.digits.begin(), '1');
        ++d.pointPos;
    } else {
        ++d.digits[i - 1];
    }
}

void RequireDecimals(int decimals) {
    if (decimals < 0 || decimals > kMaxDecimals) {
        throw Error(err::kInvalidProcedureCall,
                    "Invalid procedure call: count of decimals out of range");
    }
}

double ParseText(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value == 0 ? 0.0 : value;
}

}  // namespace

std::string RoundHalfEvenText(double x, int decimals) {
    RequireDecimals(decimals);
    if (std::isnan(x)) {
        return "NaN";
    }
    if (std::isinf(x)) {
        return x > 0 ? "Infinity" : "-Infinity";
    }
    DecimalDigits d;
    if (x != 0) {
        d = ToDecimalDigits(std::fabs(x));
        RoundDigits(d, d.pointPos + decimals);
    }
    auto digitAt = [&d](int index) {
        return index >= 0 && index < static_cast<int>(d.digits.size())
                   ? d.digits[static_cast<size_t>(index)]
                   : '0';
    };
    std::string out;
    if (x < 0 && d.digits.find_first_not_of('0') != std::string::npos) {
        out.push_back('-');
    }
    if (d.pointPos <= 0) {
        out.push_back('0');
    } else {
        for (int i = 0; i < d.pointPos; ++i) {
            out.push_back(digitAt(i));
        }
    }
    if (decimals > 0) {
        out.push_back('.');
        for (int i = 0; i < decimals; ++i) {
            out.push_back(digitAt(d.pointPos + i));
        }
    }
    return out;
}

double RoundHalfEven(double x) {
    if (!std::isfinite(x) || std::fabs(x) >= kAllWhole) {
        return x;
    }
    return ParseText(RoundHalfEvenText(x, 0));
}

double RoundHalfEven(double x, int decimals) {
    RequireDecimals(decimals);
    if (!std::isfinite(x) || x == 0) {
        return x == 0 ? 0.0 : x;
    }
    // Nothing to round when the place lies beyond the fifteenth significant digit;
    // return x itself rather than its 15-digit approximation.
    const DecimalDigits d = ToDecimalDigits(std::fabs(x));
    if (d.pointPos + decimals >= static_cast<int>(d.digits.size())) {
        return x;
    }
    return ParseText(RoundHalfEvenText(x, decimals));
}

double Int(double x) {
    const double r = std::floor(x);
    return r == 0 ? 0.0 : r;
}

double Fix(double x) {
    const double r = std::trunc(x);
    return r == 0 ? 0.0 : r;
}

}  // namespace qvc::rt
