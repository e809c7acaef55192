// Hostile JSON given to `qvc study|case add|update`: each group starts from the
// input that used to crash the host or slip through.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "JsonDocumentReader.h"

using qvc::cli::JsonInputError;
using qvc::cli::kMaxJsonDepth;
using qvc::cli::parseJsonText;
using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

// The message of the JsonInputError the text raises, or "" when it parses.
std::string refusal(const std::string& text) {
    try {
        parseJsonText(text, "in.json");
    } catch (const JsonInputError& e) {
        return e.what();
    }
    return "";
}

std::string nested(int levels, const std::string& inner = "1") {
    return std::string(levels, '[') + inner + std::string(levels, ']');
}

}  // namespace

// Reproducer: {"StudyTitle": [[[ ... 100,000 deep ... ]]]} overflowed the stack
// while the error message was built (exit 139).
TEST(JsonDocumentReader, RefusesNestingDeeperThanTheLimitWithTheLine) {
    const std::string deep = "{\n\"StudyTitle\":\n" + nested(100000) + "\n}";
    EXPECT_THAT(refusal(deep), AllOf(HasSubstr("in.json: line 3: StudyTitle[1][1][1][1][1]...: "),
                                     HasSubstr("nested more than 20 levels deep")));
    // The same inside a case row names the row.
    EXPECT_THAT(refusal(R"({"Investments": [{}, {"InvCost": )" + nested(50) + "}]}"),
                HasSubstr("line 1: Investments[2].InvCost[1]"));

    // The limit itself is allowed, one level more is not, objects count as arrays do.
    EXPECT_EQ(refusal(nested(kMaxJsonDepth)), "");
    EXPECT_THAT(refusal(nested(kMaxJsonDepth + 1)), HasSubstr("nested more than"));
    std::string objects = "1";
    for (int i = 0; i < kMaxJsonDepth + 1; ++i)
        objects = "{\"a\":" + objects + "}";
    EXPECT_THAT(refusal(objects), HasSubstr("line 1: a.a.a.a.a.a...: nested more than"));

    // What is accepted is built completely.
    const auto doc = parseJsonText(nested(kMaxJsonDepth, "\"x\""), "in.json");
    const auto* v = &doc;
    for (int i = 1; i < kMaxJsonDepth; ++i)
        v = &v->at(0);
    EXPECT_EQ(v->at(0), "x");
}

// Reproducer: {"DiscountRate": 1e400} gave "unexpected failure" with no line.
TEST(JsonDocumentReader, RefusesNumbersBeyondADoubleNamingFieldAndLine) {
    EXPECT_THAT(refusal("{\n  \"StudyTitle\": \"x\",\n  \"DiscountRate\": 1e400\n}"),
                AllOf(HasSubstr("in.json: line 3: DiscountRate: the number 1e400 is out of range"),
                      Not(HasSubstr("column"))));
    // The number ends the line: the line is still the number's, not the next.
    EXPECT_THAT(refusal("{\"Investments\": [{\"InvCost\": 1},\n{\"InvCost\": -2e308\n}]}"),
                HasSubstr("line 2: Investments[2].InvCost: the number -2e308"));
    EXPECT_THAT(refusal("1E+999"), HasSubstr("line 1: the number 1E+999 is out of range"));
    // A number of a million digits is named by its first few.
    const std::string huge = "{\"BaseYear\": 1" + std::string(1000000, '0') + "}";
    const std::string message = refusal(huge);
    EXPECT_THAT(message, HasSubstr("BaseYear: the number 10000"));
    EXPECT_LT(message.size(), 200u);

    // Numbers that fit are kept as numbers of their kind.
    const auto doc = parseJsonText(
        R"([1e-400, 1.7e308, -9223372036854775808, 18446744073709551615])", "in.json");
    EXPECT_EQ(doc[0].get<double>(), 0.0);
    EXPECT_EQ(doc[1].get<double>(), 1.7e308);
    EXPECT_TRUE(doc[2].is_number_integer());
    EXPECT_TRUE(doc[3].is_number_unsigned());
}

// Reproducer: {"StudyTitle": "a", "StudyTitle": "b"} was accepted, the second
// value silently winning.
TEST(JsonDocumentReader, RefusesAKeyGivenTwiceInOneObject) {
    EXPECT_THAT(refusal("{\"StudyTitle\": \"a\",\n\"Lifecycle\": 5,\n\"StudyTitle\"\n: \"b\"}"),
                HasSubstr("in.json: line 3: the key \"StudyTitle\" is given twice in one object"));
    EXPECT_THAT(
        refusal(R"({"Investments": [{"InvCost": 1}, {"InvCost": 2, "InvYear": 1, "InvCost": 3}]})"),
        HasSubstr("line 1: Investments[2]: the key \"InvCost\" is given twice"));
    // A repeated empty key and keys that differ only in case.
    EXPECT_THAT(refusal(R"({"": 1, "": 2})"), HasSubstr("the key \"\" is given twice"));
    EXPECT_EQ(refusal(R"({"invcost": 1, "InvCost": 2})"), "");

    // The same key in different objects is fine, and member order is kept.
    const auto doc =
        parseJsonText(R"({"b": {"x": 1}, "a": {"x": 2}, "c": [{"x": 3}, {"x": 4}]})", "in.json");
    ASSERT_EQ(doc.size(), 3u);
    EXPECT_EQ(doc.begin().key(), "b");
    EXPECT_EQ(std::next(doc.begin()).key(), "a");
    EXPECT_EQ(doc["a"]["x"], 2);
    EXPECT_EQ(doc["c"][1]["x"], 4);
}

TEST(JsonDocumentReader, BadJsonNamesLineAndColumn) {
    EXPECT_THAT(refusal("{\n  \"StudyTitle\": \"x\",\n  oops\n}"),
                HasSubstr("in.json: line 3, column 3: not valid JSON"));
    EXPECT_THAT(refusal(""), HasSubstr("line 1, column 1"));
    EXPECT_THAT(refusal("{} {}"), HasSubstr("line 1, column 4"));
    // Text that is not UTF-8 is not JSON.
    EXPECT_THAT(refusal("{\"StudyTitle\": \"Caf\xE9\"}"), HasSubstr("not valid JSON"));
}
