#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/NumberFormat.h"

namespace qvc::rt {
namespace {

// Switches LC_NUMERIC for one test and restores it afterwards.
class NumericLocale {
  public:
    explicit NumericLocale(const char* name) {
        const char* current = std::setlocale(LC_NUMERIC, nullptr);
        saved_ = current ? current : "C";
        ok_ = std::setlocale(LC_NUMERIC, name) != nullptr;
    }
    ~NumericLocale() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
    NumericLocale(const NumericLocale&) = delete;
    NumericLocale& operator=(const NumericLocale&) = delete;
    bool ok() const { return ok_; }

  private:
    std::string saved_;
    bool ok_ = false;
};

TEST(NumberFormat, FallbackGroupingInTheCLocale) {
    NumericLocale locale("C.UTF-8");
    ASSERT_TRUE(locale.ok());
    EXPECT_EQ(FormatNumber(1234567.891, 2), "1,234,567.89");
    EXPECT_EQ(FormatNumber(-1234567.891, 2), "-1,234,567.89");
    EXPECT_EQ(FormatNumber(1234567.891, 2, false), "1234567.89");
    EXPECT_EQ(FormatNumber(0.5, 0), "0");
    EXPECT_EQ(FormatNumber(1.5, 0), "2");
    EXPECT_EQ(FormatNumber(2.5, 0), "2");
    EXPECT_EQ(FormatNumber(999.5, 0), "1,000");
    EXPECT_EQ(FormatNumber(998.5, 0), "998");
    EXPECT_EQ(FormatNumber(-0.4, 0), "0");
    EXPECT_EQ(FormatNumber(-0.004, 2), "0.00");
    EXPECT_EQ(FormatNumber(-999999.5, 0), "-1,000,000");
    EXPECT_EQ(FormatNumber(0, 3), "0.000");
    EXPECT_EQ(FormatNumber(100, 0), "100");
    EXPECT_EQ(FormatNumber(1000, 0), "1,000");
    EXPECT_EQ(FormatNumber(123456, 1), "123,456.0");
    EXPECT_EQ(FormatNumber(0.125, 2), "0.12");
    EXPECT_EQ(FormatNumber(2.675, 2), "2.68");
    EXPECT_EQ(FormatNumber(1e15, 0), "1,000,000,000,000,000");
    EXPECT_EQ(FormatInteger(12345.5), "12,346");
    EXPECT_EQ(FormatInteger(-12344.5), "-12,344");
    EXPECT_EQ(FormatInteger(7), "7");
}

TEST(NumberFormat, WholeNumbersBeyondFifteenDigitsKeepEveryDigit) {
    NumberPunctuation plain{".", ",", "\3"};
    EXPECT_EQ(FormatNumber(1e20, 0, true, plain), "100,000,000,000,000,000,000");
    EXPECT_EQ(FormatNumber(-1e20, 2, true, plain), "-100,000,000,000,000,000,000.00");
    // 2^53 + 2 and 2^70: every digit of the double, none rounded away.
    EXPECT_EQ(FormatNumber(9007199254740994.0, 0, true, plain), "9,007,199,254,740,994");
    EXPECT_EQ(FormatNumber(1180591620717411303424.0, 1, true, plain),
              "1,180,591,620,717,411,303,424.0");
    // Below 2^52 a half rounds to even before grouping.
    EXPECT_EQ(FormatNumber(1000000000000000.5, 0, true, plain), "1,000,000,000,000,000");
    EXPECT_EQ(FormatNumber(1000000000000001.5, 0, true, plain), "1,000,000,000,000,002");
}

TEST(NumberFormat, ExplicitPunctuation) {
    NumberPunctuation german{",", ".", "\3"};
    EXPECT_EQ(FormatNumber(1234567.891, 2, true, german), "1.234.567,89");
    EXPECT_EQ(FormatNumber(-1234.5, 1, false, german), "-1234,5");
    // Groups of three, then of two (as in India).
    NumberPunctuation indian{".", ",", "\3\2"};
    EXPECT_EQ(FormatNumber(123456789, 0, true, indian), "12,34,56,789");
    EXPECT_EQ(FormatNumber(999, 0, true, indian), "999");
    // A multi-byte separator (narrow no-break space).
    NumberPunctuation french{",", "\u202F", "\3"};
    EXPECT_EQ(FormatNumber(1234567.5, 1, true, french), "1\u202F234\u202F567,5");
    // CHAR_MAX ends the grouping: only the last three digits form a group.
    NumberPunctuation once{".", ",", std::string("\3\x7F")};
    EXPECT_EQ(FormatNumber(1234567, 0, true, once), "1234,567");
}

TEST(NumberFormat, GermanLocale) {
    NumericLocale locale("de_DE.UTF-8");
    if (!locale.ok()) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    EXPECT_EQ(FormatNumber(1234567.891, 2), "1.234.567,89");
    EXPECT_EQ(FormatNumber(-1234.5, 0), "-1.234");
    EXPECT_EQ(FormatNumber(-0.4, 0), "0");
    // CStr writes "." whatever the locale, so its texts read back the same everywhere.
    EXPECT_EQ(CStr(1.5), "1.5");
}

TEST(NumberFormat, AmericanLocale) {
    NumericLocale locale("en_US.UTF-8");
    if (!locale.ok()) {
        GTEST_SKIP() << "en_US.UTF-8 is not installed";
    }
    EXPECT_EQ(FormatNumber(1234567.891, 2), "1,234,567.89");
    EXPECT_EQ(FormatNumber(-999.5, 0), "-1,000");
}

TEST(NumberFormat, CStrShortestForm) {
    EXPECT_EQ(CStr(0), "0");
    EXPECT_EQ(CStr(-0.0), "0");
    EXPECT_EQ(CStr(1), "1");
    EXPECT_EQ(CStr(-42), "-42");
    EXPECT_EQ(CStr(1.5), "1.5");
    EXPECT_EQ(CStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(CStr(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(CStr(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(CStr(-1234567.891), "-1234567.891");
    EXPECT_EQ(CStr(1000000), "1000000");
    EXPECT_EQ(CStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(CStr(0.0001), "0.0001");
    EXPECT_EQ(CStr(0.00012345), "0.00012345");
    EXPECT_EQ(CStr(7.5), "7.5");
    EXPECT_EQ(CStr(3.14159265358979), "3.14159265358979");
}

TEST(NumberFormat, CStrExponentFormForExtremeMagnitudes) {
    EXPECT_EQ(CStr(1e15), "1E+15");
    EXPECT_EQ(CStr(1.5e15), "1.5E+15");
    EXPECT_EQ(CStr(-2.5e20), "-2.5E+20");
    EXPECT_EQ(CStr(1e100), "1E+100");
    EXPECT_EQ(CStr(999999999999999.9), "1E+15");
    EXPECT_EQ(CStr(0.00001), "1E-05");
    EXPECT_EQ(CStr(-1.25e-7), "-1.25E-07");
    EXPECT_EQ(CStr(1e-300), "1E-300");
    EXPECT_EQ(CStr(std::numeric_limits<double>::quiet_NaN()), "NaN");
    EXPECT_EQ(CStr(std::numeric_limits<double>::infinity()), "Infinity");
    EXPECT_EQ(CStr(-std::numeric_limits<double>::infinity()), "-Infinity");
}

TEST(NumberFormat, NonFiniteAndBadDecimals) {
    NumericLocale locale("C.UTF-8");
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::quiet_NaN(), 2), "NaN");
    EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity(), 0), "-Infinity");
    try {
        FormatNumber(1, -1);
        FAIL() << "negative count of decimals accepted";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::kInvalidProcedureCall);
    }
}

}  // namespace
}  // namespace qvc::rt
