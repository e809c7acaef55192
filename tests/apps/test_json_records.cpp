// Studies and cases as JSON: hostile documents are refused with the line and a
// short message (each group starts from an input that used to crash the host or
// slip through), and stored texts that are not UTF-8 are written so that they
// read back.
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
using ::testing::HasSubstr;

namespace {

// The message of the JsonInputError `read` raises, or "" when it raises none.
std::string refusalOf(const std::function<void()>& read) {
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

// Reproducers: 100,000 levels of nesting overflowed the stack; 1e400 gave
// "unexpected failure" with no line; a key given twice was accepted.
TEST(JsonDocumentReader, RefusesDeepNestingHugeNumbersAndRepeatedKeysWithTheLine) {
    const std::pair<std::string, std::string> refused[] = {
        {"{\n\"StudyTitle\":\n" + nested(100000) + "\n}",
         "in.json: line 3: StudyTitle[1][1][1][1][1]...: nested more than 20 levels deep"},
        {R"({"Investments": [{}, {"InvCost": )" + nested(50) + "}]}",
         "line 1: Investments[2].InvCost[1]"},
        {nested(kMaxJsonDepth + 1), "nested more than"},
        {"{\n  \"StudyTitle\": \"x\",\n  \"DiscountRate\": 1e400\n}",
         "in.json: line 3: DiscountRate: the number 1e400 is out of range"},
        // The number ends the line: the line is still the number's, not the next.
        {"{\"Investments\": [{\"InvCost\": 1},\n{\"InvCost\": -2e308\n}]}",
         "line 2: Investments[2].InvCost: the number -2e308"},
        {"{\"StudyTitle\": \"a\",\n\"Lifecycle\": 5,\n\"StudyTitle\"\n: \"b\"}",
         "in.json: line 3: the key \"StudyTitle\" is given twice in one object"},
        {R"({"Investments": [{"InvCost": 1}, {"InvCost": 2, "InvYear": 1, "InvCost": 3}]})",
         "line 1: Investments[2]: the key \"InvCost\" is given twice"},
        {"{\n  \"StudyTitle\": \"x\",\n  oops\n}", "in.json: line 3, column 3: not valid JSON"},
        {"{} {}", "line 1, column 4"},
        {"{\"StudyTitle\": \"Caf\xE9\"}", "not valid JSON"}};
    for (const auto& [text, expected] : refused)
        EXPECT_THAT(refusal(text), HasSubstr(expected));
    std::string objects = "1";  // objects count as arrays do
    for (int i = 0; i < kMaxJsonDepth + 1; ++i)
        objects = "{\"a\":" + objects + "}";
    EXPECT_THAT(refusal(objects), HasSubstr("line 1: a.a.a.a.a.a...: nested more than"));
    const std::string message = refusal("{\"BaseYear\": 1" + std::string(1000000, '0') + "}");
    EXPECT_THAT(message, HasSubstr("BaseYear: the number 10000"));
    EXPECT_LT(message.size(), 200u);

    // The depth limit itself is built whole; numbers that fit keep their kind;
    // keys differing in case are two keys, and member order is kept.
    const auto limit = parseJsonText(nested(kMaxJsonDepth, "\"x\""), "in.json");
    const auto* v = &limit;
    for (int i = 1; i < kMaxJsonDepth; ++i)
        v = &v->at(0);
    EXPECT_EQ(v->at(0), "x");
    const auto numbers =
        parseJsonText(R"([1e-400, 1.7e308, -9223372036854775808, 18446744073709551615])", "n");
    EXPECT_EQ(numbers[0].get<double>(), 0.0);
    EXPECT_EQ(numbers[1].get<double>(), 1.7e308);
    EXPECT_TRUE(numbers[2].is_number_integer() && numbers[3].is_number_unsigned());
    EXPECT_EQ(refusal(R"({"invcost": 1, "InvCost": 2})"), "");
    const auto doc = parseJsonText(R"({"b": {"x": 1}, "a": {"x": 2}, "c": [{"x": 3}]})", "in");
    EXPECT_EQ(std::next(doc.begin()).key(), "a");
}

// Reproducer: a wrong-typed member nested 100,000 deep (built in code, past the
// reader's limit) made the message dump the whole value until the stack overflowed.
TEST(JsonRecords, RefusalsQuoteAShortExcerptOfTheValue) {
    json deep = 1;
    for (int i = 0; i < 100000; ++i) {
        json outer = json::array();
        outer.push_back(std::move(deep));
        deep = std::move(outer);
    }
    const std::string longText(10'000'000, 'x');
    json wide = json::array();
    for (int i = 0; i < 100000; ++i)
        wide.push_back(i);
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] {
             studyFromJson(json{{"StudyTitle", std::move(deep)}});
         },
         "StudyTitle: expected a text, found [[[[...]]]]"},
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
