#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "TestSupport.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/NumberFormat.h"
#include "qvc/runtime/Rounding.h"
#include "qvc/runtime/Value.h"

namespace qvc::rt {
namespace {

TEST(Value, TextReadsAsANumberOnlyWhenBasicWouldReadIt) {
    struct Case {
        const char* text;
        double number;  // NAN: the text raises "type mismatch"
    };
    const Case cases[] = {
        {" 12.5\t", 12.5}, {"-3", -3},     {"+4e2", 400},  {"1E-1", 0.1}, {"True", -1},
        {"TRUE", -1},      {"false", 0},   {"FaLsE", 0},   {"", NAN},     {"   ", NAN},
        {"tru", NAN},      {"truex", NAN}, {"trueX", NAN}, {"0x10", NAN}, {"inf", NAN},
        {"nan", NAN},      {"1,5", NAN},   {"12 5", NAN},  {"5.", 5},     {"e", NAN},
    };
    for (const Case& c : cases) {
        const Value v(c.text);
        if (std::isnan(c.number)) {
            EXPECT_EQ(test::errorNumberOf([&] { (void)v.toDouble(); }), err::kTypeMismatch)
                << '"' << c.text << '"';
        } else {
            EXPECT_DOUBLE_EQ(v.toDouble(), c.number) << '"' << c.text << '"';
        }
    }
    EXPECT_EQ(test::errorNumberOf([] { (void)Value("1e400").toDouble(); }), err::kOverflow);
}

TEST(Value, ConversionsBetweenTypes) {
    // Booleans: any non-zero number is true, True reads as -1.
    EXPECT_TRUE(Value("2").toBool());
    EXPECT_EQ(Value(true).toInt16(), -1);
    // Whole numbers round half to even and refuse what does not fit.
    EXPECT_EQ(Value(2.5).toInt16(), 2);
    EXPECT_EQ(Value("3.5").toInt32(), 4);
    EXPECT_EQ(test::errorNumberOf([] { (void)Value(32767.5).toInt16(); }), err::kOverflow);
    // Text: numbers in their shortest form, Booleans as Basic names them.
    EXPECT_EQ(Value(0.25).toText(), "0.25");
    EXPECT_EQ(Value(false).toText(), "False");
    EXPECT_EQ(test::errorNumberOf([] { (void)Value(1.0).text(); }), err::kTypeMismatch);
    EXPECT_NE(test::errorNumberOf([] { (void)Value::null().toText(); }), 0);
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Rounding, HalvesGoToTheEvenNeighbourAsTheValueReads) {
    struct Case {
        double value;
        int decimals;
        double rounded;
    };
    // 1.1 x 55 is 60.50000000000001, 2.3 x 25 is 57.49999999999999, 2.675 is stored
    // just below 2.675; beyond fifteen digits the whole part is kept, every digit.
    const Case cases[] = {{2.5, 0, 2.0},
                          {-2.5, 0, -2.0},
                          {1.1 * 55, 0, 60.0},
                          {2.3 * 25, 0, 58.0},
                          {2.675, 2, 2.68},
                          {1.005, 2, 1.0},
                          {1234567890123456.5, 0, 1234567890123456.0},
                          {1234567890123457.5, 0, 1234567890123458.0},
                          {1.0 / 3.0, 20, 1.0 / 3.0},
                          {-kInf, 2, -kInf}};
    for (const Case& c : cases) {
        EXPECT_EQ(RoundHalfEven(c.value, c.decimals), c.rounded) << c.value << " to " << c.decimals;
    }
    EXPECT_EQ(RoundHalfEven(123456789012345.5), 123456789012346.0);
    EXPECT_FALSE(std::signbit(RoundHalfEven(-0.5)));
    EXPECT_TRUE(std::isnan(RoundHalfEven(kNaN, 3)));
    EXPECT_EQ(test::errorNumberOf([] { RoundHalfEven(1.5, -1); }), err::kInvalidProcedureCall);
}

TEST(Rounding, TextFormIsPlainAndNeverNegativeZero) {
    EXPECT_EQ(RoundHalfEvenText(-1234567.895, 2), "-1234567.90");
    EXPECT_EQ(RoundHalfEvenText(-0.4, 0), "0");
    EXPECT_EQ(RoundHalfEvenText(999.5, 0), "1000");      // the carry leaves one digit for four
    EXPECT_EQ(RoundHalfEvenText(0.5, 3), "0.500");       // zeros after the last digit
    EXPECT_EQ(RoundHalfEvenText(0.00125, 4), "0.0012");  // and before the first
    EXPECT_EQ(RoundHalfEvenText(1e20, 0), "100000000000000000000");
    EXPECT_EQ(RoundHalfEvenText(1e15, 4), "1000000000000000.0000");  // past the digits kept
}

TEST(Rounding, IntFloorsFixTruncates) {
    EXPECT_EQ(Int(-2.5), -3.0);
    EXPECT_EQ(Fix(-2.5), -2.0);
    EXPECT_FALSE(std::signbit(Fix(-0.5)));
    EXPECT_FALSE(std::signbit(Int(-0.0)));
    EXPECT_TRUE(std::isnan(Fix(kNaN)));
}

// Switches LC_NUMERIC for one test and restores it afterwards.
class NumericLocale {
  public:
    explicit NumericLocale(const char* name)
        : saved_(std::setlocale(LC_NUMERIC, nullptr)),
          ok_(std::setlocale(LC_NUMERIC, name) != nullptr) {}
    ~NumericLocale() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
    bool ok() const { return ok_; }

  private:
    std::string saved_;
    bool ok_;
};

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
        {999.5, 0, "1,000"},
        {kNaN, 2, "NaN"},
        {-kInf, 0, "-Infinity"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatNumber(c.value, c.decimals), c.text) << c.value;
    }
    EXPECT_EQ(FormatNumber(1234567.891, 2, false), "1234567.89");
    EXPECT_EQ(FormatInteger(12345.5), "12,346");
    EXPECT_EQ(test::errorNumberOf([] { FormatNumber(1, -1); }), err::kInvalidProcedureCall);
}

TEST(NumberFormat, ExplicitPunctuationAndWholeNumbersBeyondFifteenDigits) {
    const NumberPunctuation plain{".", ",", "\3"};
    // 2^53 + 2: every digit of the double, none rounded away.
    EXPECT_EQ(FormatNumber(9007199254740994.0, 0, true, plain), "9,007,199,254,740,994");
    EXPECT_EQ(FormatNumber(1000000000000001.5, 0, true, plain), "1,000,000,000,000,002");
    const NumberPunctuation german{",", ".", "\3"};
    EXPECT_EQ(FormatNumber(1234567.891, 2, true, german), "1.234.567,89");
    const NumberPunctuation indian{".", ",", "\3\2"};  // three, then twos
    EXPECT_EQ(FormatNumber(123456789, 0, true, indian), "12,34,56,789");
}

// Report figures take the locale's punctuation; CStr never does, so its texts read back.
TEST(NumberFormat, InstalledLocaleGroupsReportFiguresAndCStrGivesTheShortestForm) {
    NumericLocale locale("de_DE.UTF-8");
    if (locale.ok()) {
        EXPECT_EQ(FormatNumber(1234567.891, 2), "1.234.567,89");
        EXPECT_EQ(FormatNumber(-1234.5, 0), "-1.234");
    }
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0.1 + 0.2, "0.3"},   {2.0 / 3.0, "0.666666666666667"},
        {1e15, "1E+15"},      {999999999999999.9, "1E+15"},
        {0.00001, "1E-05"},   {kNaN, "NaN"},
        {-kInf, "-Infinity"}, {-1.5, "-1.5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CStr(c.value), c.text);
    }
}

}  // namespace
}  // namespace qvc::rt
