// Field values as the database layer hands them out: text read as a number the
// way Basic reads it, and conversions that refuse what they cannot represent.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "TestSupport.h"
#include "qvc/runtime/ErrorNumbers.h"
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
    EXPECT_TRUE(Value(-0.5).toBool());
    EXPECT_FALSE(Value("0").toBool());
    EXPECT_FALSE(Value(int32_t{0}).toBool());
    EXPECT_FALSE(Value().toBool());
    EXPECT_EQ(Value(true).toInt16(), -1);
    // Whole numbers round half to even and refuse what does not fit.
    EXPECT_EQ(Value(2.5).toInt16(), 2);
    EXPECT_EQ(Value("3.5").toInt32(), 4);
    EXPECT_EQ(Value(32767.4).toInt16(), 32767);
    EXPECT_EQ(test::errorNumberOf([] { (void)Value(32767.5).toInt16(); }), err::kOverflow);
    EXPECT_EQ(test::errorNumberOf([] { (void)Value(int32_t{-40000}).toInt16(); }), err::kOverflow);
    EXPECT_EQ(test::errorNumberOf([] { (void)Value(NAN).toInt32(); }), err::kOverflow);
    // Text: numbers in their shortest form, Booleans as Basic names them.
    EXPECT_EQ(Value(int16_t{-7}).toText(), "-7");
    EXPECT_EQ(Value(0.25).toText(), "0.25");
    EXPECT_EQ(Value(false).toText(), "False");
    EXPECT_EQ(Value().toText(), "");
    EXPECT_EQ(Value("abc").text(), "abc");
    EXPECT_EQ(test::errorNumberOf([] { (void)Value(1.0).text(); }), err::kTypeMismatch);
    EXPECT_NE(test::errorNumberOf([] { (void)Value::null().toText(); }), 0);
    EXPECT_NE(test::errorNumberOf([] { (void)Value::null().toDouble(); }), 0);
    EXPECT_TRUE(Value(true).isNumeric());
    EXPECT_FALSE(Value("1").isNumeric());
}

}  // namespace
}  // namespace qvc::rt
