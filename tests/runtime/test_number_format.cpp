// Numbers as texts: grouped and rounded half to even for reports (by the
// locale or explicit punctuation), and CStr's shortest form, locale-free.

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>

#include "TestSupport.h"
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

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(NumberFormat, GroupsAndRoundsHalfToEvenInTheCLocale) {
    NumericLocale locale("C.UTF-8");
    ASSERT_TRUE(locale.ok());
    struct Case {
        double value;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {-1234567.891, 2, "-1,234,567.89"},
        {1.5, 0, "2"},
        {999.5, 0, "1,000"},
        {-0.4, 0, "0"},
        {-0.004, 2, "0.00"},
        {-999999.5, 0, "-1,000,000"},
        {123456, 1, "123,456.0"},
        {0.125, 2, "0.12"},
        {2.675, 2, "2.68"},
        {1e15, 0, "1,000,000,000,000,000"},
        {kNaN, 2, "NaN"},
        {-kInf, 0, "-Infinity"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatNumber(c.value, c.decimals), c.text) << c.value;
    }
    EXPECT_EQ(FormatNumber(1234567.891, 2, false), "1234567.89");
    EXPECT_EQ(FormatInteger(12345.5), "12,346");
    EXPECT_EQ(FormatInteger(-12344.5), "-12,344");
    EXPECT_EQ(test::errorNumberOf([] { FormatNumber(1, -1); }), err::kInvalidProcedureCall);
}

TEST(NumberFormat, ExplicitPunctuationAndWholeNumbersBeyondFifteenDigits) {
    const NumberPunctuation plain{".", ",", "\3"};
    EXPECT_EQ(FormatNumber(-1e20, 2, true, plain), "-100,000,000,000,000,000,000.00");
    // 2^53 + 2 and 2^70: every digit of the double, none rounded away.
    EXPECT_EQ(FormatNumber(9007199254740994.0, 0, true, plain), "9,007,199,254,740,994");
    EXPECT_EQ(FormatNumber(1180591620717411303424.0, 1, true, plain),
              "1,180,591,620,717,411,303,424.0");
    EXPECT_EQ(FormatNumber(1000000000000000.5, 0, true, plain), "1,000,000,000,000,000");
    EXPECT_EQ(FormatNumber(1000000000000001.5, 0, true, plain), "1,000,000,000,000,002");
    const NumberPunctuation german{",", ".", "\3"};
    EXPECT_EQ(FormatNumber(1234567.891, 2, true, german), "1.234.567,89");
    EXPECT_EQ(FormatNumber(-1234.5, 1, false, german), "-1234,5");
    const NumberPunctuation indian{".", ",", "\3\2"};  // three, then twos
    EXPECT_EQ(FormatNumber(123456789, 0, true, indian), "12,34,56,789");
    EXPECT_EQ(FormatNumber(999, 0, true, indian), "999");
    const NumberPunctuation french{",", "\u202F", "\3"};  // a multi-byte separator
    EXPECT_EQ(FormatNumber(1234567.5, 1, true, french), "1\u202F234\u202F567,5");
    const NumberPunctuation once{".", ",", std::string("\3\x7F")};  // CHAR_MAX ends grouping
    EXPECT_EQ(FormatNumber(1234567, 0, true, once), "1234,567");
}

TEST(NumberFormat, InstalledLocalesGiveTheirPunctuation) {
    NumericLocale locale("de_DE.UTF-8");
    if (!locale.ok()) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    EXPECT_EQ(FormatNumber(1234567.891, 2), "1.234.567,89");
    EXPECT_EQ(FormatNumber(-1234.5, 0), "-1.234");
    EXPECT_EQ(CStr(1.5), "1.5");  // whatever the locale, so texts read back everywhere
}

TEST(NumberFormat, CStrGivesTheShortestFormOrAnExponent) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {-42, "-42"},
        {0.1 + 0.2, "0.3"},
        {2.0 / 3.0, "0.666666666666667"},
        {-1234567.891, "-1234567.891"},
        {123456789012345.0, "123456789012345"},
        {0.00012345, "0.00012345"},
        {1e15, "1E+15"},
        {-2.5e20, "-2.5E+20"},
        {999999999999999.9, "1E+15"},
        {0.00001, "1E-05"},
        {1e-300, "1E-300"},
        {kNaN, "NaN"},
        {-kInf, "-Infinity"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CStr(c.value), c.text);
    }
}

}  // namespace
}  // namespace qvc::rt
