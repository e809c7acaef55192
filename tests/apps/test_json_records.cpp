// Studies and cases as JSON: refusals stay short whatever the input holds, and
// stored texts that are not UTF-8 are written so that they read back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "JsonExcerpt.h"
#include "JsonRecords.h"
#include "Utf8Repair.h"

using namespace qvc;
using namespace qvc::cli;
using json = nlohmann::ordered_json;
using ::testing::AllOf;
using ::testing::HasSubstr;

namespace {

template <typename Read>
std::string refusal(Read read) {
    try {
        read();
    } catch (const JsonInputError& e) {
        return e.what();
    }
    return "";
}

const std::string kReplacement = "\xEF\xBF\xBD";

}  // namespace

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
    const std::string deepMessage = refusal([&] {
        studyFromJson(json{{"StudyTitle", std::move(deep)}});
    });
    EXPECT_THAT(deepMessage, HasSubstr("StudyTitle: expected a text, found [[[[...]]]]"));

    const std::string longText(10'000'000, 'x');
    const std::string textMessage = refusal([&] { studyFromJson(json{{"Lifecycle", longText}}); });
    EXPECT_THAT(textMessage, HasSubstr("Lifecycle: expected a whole number from -32768 to 32767, "
                                       "found \"xxxx"));
    EXPECT_LT(textMessage.size(), 150u);

    const std::string keyMessage = refusal([&] { caseFromJson(json{{longText, 1}}); });
    EXPECT_THAT(keyMessage, HasSubstr("xxx...: unknown field of a design case"));
    EXPECT_LT(keyMessage.size(), 150u);
    const std::string rowKeyMessage = refusal([&] {
        caseFromJson(json{{"Loans", json::array({json{{longText, 1}}})}});
    });
    EXPECT_THAT(rowKeyMessage, HasSubstr("Loans[1].xxx"));
    EXPECT_LT(rowKeyMessage.size(), 150u);

    // A wide row or a text that is not UTF-8 in the wrong place.
    json wide = json::array();
    for (int i = 0; i < 100000; ++i)
        wide.push_back(i);
    EXPECT_LT(refusal([&] {
                  caseFromJson(json{{"Investments", json::array({wide})}});
              }).size(),
              150u);
    EXPECT_THAT(refusal([&] {
                    studyFromJson(json{{"BaseYear", "Caf\xE9"}});
                }),
                HasSubstr("found \"Caf" + kReplacement + "\""));
}

TEST(JsonRecords, ExcerptsShowSmallValuesWhole) {
    EXPECT_EQ(jsonExcerpt(json::parse(R"({"a": [1, true, null], "b": "t\n"})")),
              R"({"a": [1, true, null], "b": "t\n"})");
    EXPECT_EQ(jsonExcerpt(json(std::string(100, 'y')), 10), "\"yyyyyyyyyy...\"");
    // Cut between characters, not inside one: each "é" is two bytes.
    EXPECT_EQ(textExcerpt("\xC3\xA9\xC3\xA9\xC3\xA9", 3), "\xC3\xA9...");
    EXPECT_EQ(textExcerpt("tab\there"), "tab\\there");
}

// Reproducer: a building name imported with the byte E9 ("Caf\xE9") made
// `case show` fail with type_error.316, so the case could not be shown or
// edited any more.
TEST(JsonRecords, StoredTextsThatAreNotUtf8AreWrittenReplacedAndReadBack) {
    cStudy s;
    s.StudyTitle = "Caf\xE9 Central";
    s.CurSymbol = "\xA4";
    s.StudyDescription = "ok \xF0\x9F\x8F\xA2 and NUL " + std::string(1, '\0');
    const json written = studyToJson(s);
    const std::string text = written.dump(2);
    const cStudy back = studyFromJson(parseJsonText(text, "show"));
    EXPECT_EQ(back.StudyTitle, "Caf" + kReplacement + " Central");
    EXPECT_EQ(back.CurSymbol, kReplacement);
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
    // Written again, the record is the same document.
    EXPECT_EQ(caseToJson(caseBack), caseJson);
}

TEST(JsonRecords, InvalidSequencesAreEachReplacedOnce) {
    EXPECT_EQ(withValidUtf8("plain \xE2\x82\xAC"), "plain \xE2\x82\xAC");
    EXPECT_EQ(withValidUtf8("a\xE2\x82"), "a" + kReplacement);          // cut short at the end
    EXPECT_EQ(withValidUtf8("a\xE2\x82z"), "a" + kReplacement + "z");   // cut short inside
    EXPECT_EQ(withValidUtf8("\xC0\xAF"), kReplacement);                 // overlong "/"
    EXPECT_EQ(withValidUtf8("\xED\xA0\x80"), kReplacement);             // a surrogate
    EXPECT_EQ(withValidUtf8("\xF4\x90\x80\x80"), kReplacement);         // past U+10FFFF
    EXPECT_EQ(withValidUtf8("\x80\xBF"), kReplacement + kReplacement);  // lone continuations
    EXPECT_EQ(withValidUtf8("\xFF"), kReplacement);

    EXPECT_EQ(utf8Prefix("ab\xE2\x82\xAC", 4), "ab");
    EXPECT_EQ(utf8Prefix("ab\xE2\x82\xAC", 5), "ab\xE2\x82\xAC");
    EXPECT_EQ(utf8Prefix("ab\xE2\x82\xAC", 2), "ab");
}
