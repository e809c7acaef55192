// Studies and cases as JSON: hostile documents given to `qvc study|case
// add|update` are refused with the line and a short message (each group starts
// from an input that used to crash the host or slip through), and stored texts
// that are not UTF-8 are written so that they read back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>

#include "JsonDocumentReader.h"
#include "JsonExcerpt.h"
#include "JsonRecords.h"
#include "Utf8Repair.h"

using namespace qvc;
using namespace qvc::cli;
using json = nlohmann::ordered_json;
using ::testing::AllOf;
using ::testing::HasSubstr;

namespace {

// The message of the JsonInputError `read` raises, or "" when it raises none.
template <typename Read>
std::string refusalOf(Read read) {
    try {
        read();
    } catch (const JsonInputError& e) {
        return e.what();
    }
    return "";
}
std::string refusal(const std::string& text) {
    return refusalOf([&] { parseJsonText(text, "in.json"); });
}

std::string nested(int levels, const std::string& inner = "1") {
    return std::string(levels, '[') + inner + std::string(levels, ']');
}

const std::string kReplacement = "\xEF\xBF\xBD";

}  // namespace

// Reproducer: {"StudyTitle": [[[ ... 100,000 deep ... ]]]} overflowed the stack
// while the error message was built (exit 139).
TEST(JsonDocumentReader, RefusesNestingDeeperThanTheLimitWithTheLine) {
    EXPECT_THAT(refusal("{\n\"StudyTitle\":\n" + nested(100000) + "\n}"),
                AllOf(HasSubstr("in.json: line 3: StudyTitle[1][1][1][1][1]...: "),
                      HasSubstr("nested more than 20 levels deep")));
    EXPECT_THAT(refusal(R"({"Investments": [{}, {"InvCost": )" + nested(50) + "}]}"),
                HasSubstr("line 1: Investments[2].InvCost[1]"));
    // The limit itself is allowed and built whole; objects count as arrays do.
    const auto doc = parseJsonText(nested(kMaxJsonDepth, "\"x\""), "in.json");
    const auto* v = &doc;
    for (int i = 1; i < kMaxJsonDepth; ++i)
        v = &v->at(0);
    EXPECT_EQ(v->at(0), "x");
    EXPECT_THAT(refusal(nested(kMaxJsonDepth + 1)), HasSubstr("nested more than"));
    std::string objects = "1";
    for (int i = 0; i < kMaxJsonDepth + 1; ++i)
        objects = "{\"a\":" + objects + "}";
    EXPECT_THAT(refusal(objects), HasSubstr("line 1: a.a.a.a.a.a...: nested more than"));
}

// Reproducer: {"DiscountRate": 1e400} gave "unexpected failure" with no line.
TEST(JsonDocumentReader, RefusesNumbersBeyondADoubleNamingFieldAndLine) {
    EXPECT_THAT(refusal("{\n  \"StudyTitle\": \"x\",\n  \"DiscountRate\": 1e400\n}"),
                AllOf(HasSubstr("in.json: line 3: DiscountRate: the number 1e400 is out of range"),
                      ::testing::Not(HasSubstr("column"))));
    // The number ends the line: the line is still the number's, not the next.
    EXPECT_THAT(refusal("{\"Investments\": [{\"InvCost\": 1},\n{\"InvCost\": -2e308\n}]}"),
                HasSubstr("line 2: Investments[2].InvCost: the number -2e308"));
    const std::string message = refusal("{\"BaseYear\": 1" + std::string(1000000, '0') + "}");
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
TEST(JsonDocumentReader, RefusesAKeyGivenTwiceAndBadJsonWithTheLine) {
    EXPECT_THAT(refusal("{\"StudyTitle\": \"a\",\n\"Lifecycle\": 5,\n\"StudyTitle\"\n: \"b\"}"),
                HasSubstr("in.json: line 3: the key \"StudyTitle\" is given twice in one object"));
    EXPECT_THAT(
        refusal(R"({"Investments": [{"InvCost": 1}, {"InvCost": 2, "InvYear": 1, "InvCost": 3}]})"),
        HasSubstr("line 1: Investments[2]: the key \"InvCost\" is given twice"));
    EXPECT_THAT(refusal(R"({"": 1, "": 2})"), HasSubstr("the key \"\" is given twice"));
    EXPECT_EQ(refusal(R"({"invcost": 1, "InvCost": 2})"), "");
    // The same key in different objects is fine, and member order is kept.
    const auto doc = parseJsonText(R"({"b": {"x": 1}, "a": {"x": 2}, "c": [{"x": 3}]})", "in.json");
    EXPECT_EQ(std::next(doc.begin()).key(), "a");
    EXPECT_EQ(doc["c"][0]["x"], 3);

    EXPECT_THAT(refusal("{\n  \"StudyTitle\": \"x\",\n  oops\n}"),
                HasSubstr("in.json: line 3, column 3: not valid JSON"));
    EXPECT_THAT(refusal(""), HasSubstr("line 1, column 1"));
    EXPECT_THAT(refusal("{} {}"), HasSubstr("line 1, column 4"));
    EXPECT_THAT(refusal("{\"StudyTitle\": \"Caf\xE9\"}"), HasSubstr("not valid JSON"));
}

// Reproducer: a wrong-typed member nested 100,000 deep made the message dump
// the whole value, recursing until the stack overflowed. A document built in
// code does not pass through the reader's depth limit.
TEST(JsonRecords, RefusalsQuoteAShortExcerptOfTheValue) {
    json deep = 1;
    for (int i = 0; i < 100000; ++i) {
        json outer = json::array();
        outer.push_back(std::move(deep));
        deep = std::move(outer);
    }
    EXPECT_THAT(refusalOf([&] {
                    studyFromJson(json{{"StudyTitle", std::move(deep)}});
                }),
                HasSubstr("StudyTitle: expected a text, found [[[[...]]]]"));
    const std::string longText(10'000'000, 'x');
    json wide = json::array();
    for (int i = 0; i < 100000; ++i)
        wide.push_back(i);
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] {
             studyFromJson(json{{"Lifecycle", longText}});
         },
         "Lifecycle: expected a whole number from -32768 to 32767, found \"xxxx"},
        {[&] {
             caseFromJson(json{{longText, 1}});
         },
         "xxx...: unknown field of a design case"},
        {[&] {
             caseFromJson(json{{"Loans", json::array({json{{longText, 1}}})}});
         },
         "Loans[1].xxx"},
        {[&] {
             caseFromJson(json{{"Investments", json::array({wide})}});
         },
         "Investments[1]"},
        {[&] {
             studyFromJson(json{{"BaseYear", "Caf\xE9"}});
         },
         "found \"Caf" + kReplacement}};
    for (const auto& [read, expected] : cases) {
        const std::string message = refusalOf(read);
        EXPECT_THAT(message, HasSubstr(expected));
        EXPECT_LT(message.size(), 150u) << message.substr(0, 200);
    }
    EXPECT_EQ(jsonExcerpt(json::parse(R"({"a": [1, true, null], "b": "t\n"})")),
              R"({"a": [1, true, null], "b": "t\n"})");
    EXPECT_EQ(jsonExcerpt(json(std::string(100, 'y')), 10), "\"yyyyyyyyyy...\"");
    EXPECT_EQ(textExcerpt("\xC3\xA9\xC3\xA9\xC3\xA9", 3), "\xC3\xA9...");  // not inside a letter
    EXPECT_EQ(textExcerpt("tab\there"), "tab\\there");
}

// Reproducer: a building name imported with the byte E9 ("Caf\xE9") made
// `case show` fail with type_error.316, so the case could not be shown or
// edited any more.
TEST(JsonRecords, StoredTextsThatAreNotUtf8AreWrittenReplacedAndReadBack) {
    cStudy s;
    s.StudyTitle = "Caf\xE9 Central";
    s.StudyDescription = "ok \xF0\x9F\x8F\xA2 and NUL " + std::string(1, '\0');
    const cStudy back = studyFromJson(parseJsonText(studyToJson(s).dump(2), "show"));
    EXPECT_EQ(back.StudyTitle, "Caf" + kReplacement + " Central");
    EXPECT_EQ(back.StudyDescription, s.StudyDescription);  // valid text stays as it was

    cDesignCase c;
    c.CaseTitle = "Imported \x80\x80";
    c.setInvItemName(3, "Boiler \xC3");
    c.setInvCost(3, 1200.5);
    c.setAnnOpCostName(20, "\xED\xA0\x80 gas");
    const json caseJson = caseToJson(c);
    const cDesignCase caseBack = caseFromJson(parseJsonText(caseJson.dump(2), "show"));
    EXPECT_EQ(caseBack.CaseTitle, "Imported " + kReplacement + kReplacement);
    EXPECT_EQ(caseBack.InvItemName(3), "Boiler " + kReplacement);
    EXPECT_EQ(caseBack.InvCost(3), 1200.5);
    EXPECT_EQ(caseBack.AnnOpCostName(20), kReplacement + " gas");
    EXPECT_EQ(caseToJson(caseBack), caseJson);  // written again: the same document

    const std::pair<const char*, std::string> repairs[] = {
        {"plain \xE2\x82\xAC", "plain \xE2\x82\xAC"},
        {"a\xE2\x82", "a" + kReplacement},          // cut short at the end
        {"a\xE2\x82z", "a" + kReplacement + "z"},   // cut short inside
        {"\xC0\xAF", kReplacement},                 // overlong "/"
        {"\xF4\x90\x80\x80", kReplacement},         // past U+10FFFF
        {"\x80\xBF", kReplacement + kReplacement},  // lone continuations
        {"\xFF", kReplacement}};
    for (const auto& [in, out] : repairs)
        EXPECT_EQ(withValidUtf8(in), out);
    EXPECT_EQ(utf8Prefix("ab\xE2\x82\xAC", 4), "ab");
    EXPECT_EQ(utf8Prefix("ab\xE2\x82\xAC", 5), "ab\xE2\x82\xAC");
}
