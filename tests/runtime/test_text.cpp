// Basic's string functions and Like count characters; an ill-formed byte is one character.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/Like.h"

namespace qvc::rt {
namespace {

// « ¬ é (2 bytes), € and the two CJK characters (3 bytes).
const std::string kMixed = "a«b¬€é日本";

TEST(BasicString, LengthsPositionsAndSearchCountCharacters) {
    EXPECT_EQ(Len(kMixed), 8u);
    EXPECT_EQ(Left(kMixed, 5), "a«b¬€");
    EXPECT_EQ(Right(kMixed, 3), "é日本");
    EXPECT_EQ(Mid(kMixed, 4, 3), "¬€é");
    EXPECT_EQ(Mid(kMixed, 6), "é日本");
    EXPECT_EQ(InStr(kMixed, "日本"), 7);
    EXPECT_EQ(InStr(5, kMixed, "€"), 5);
    EXPECT_EQ(InStr("ABC", "b"), 0);  // exact comparison
    for (const std::function<void()>& bad : std::vector<std::function<void()>>{
             [] { Left("abc", -1); }, [] { Right("abc", -1); }, [] { Mid("abc", 0); },
             [] { Mid("abc", 1, -1); }, [] { InStr(0, "abc", "a"); }, [] { Space(-2); },
             [] { String(-1, U'x'); }, [] { String(2, char32_t{0xD800}); },
             [] { String(2, char32_t{0x110000}); }}) {
        EXPECT_EQ(test::errorNumberOf(bad), err::kInvalidProcedureCall);
    }
}

TEST(BasicString, IllFormedBytesCountAsOneCharacterEachAndSurvive) {
    // A lone continuation byte, a truncated € and an overlong "/" (C0 AF).
    const std::string bad = std::string("x\x80y") + "\xE2\x82" + "z\xC0\xAF";
    EXPECT_EQ(Len(bad), 8u);
    EXPECT_EQ(Mid(bad, 4, 2), "\xE2\x82");
    EXPECT_EQ(Right(bad, 2), "\xC0\xAF");
    EXPECT_EQ(EncodeUtf8(DecodeUtf8(bad)), bad);
    EXPECT_EQ(UCase(bad), std::string("X\x80Y") + "\xE2\x82" + "Z\xC0\xAF");
    // A stray byte is not found inside a well-formed character: é is C3 A9.
    EXPECT_EQ(InStr("é", "\xA9"), 0);
    EXPECT_EQ(InStr("é\xA9", "\xA9"), 2);
}

TEST(BasicString, TrimReplaceSplitJoinStringAndCase) {
    EXPECT_EQ(Trim("  two words \t "), "two words \t");
    EXPECT_EQ(RTrim("  «x» "), "  «x»");
    EXPECT_EQ(Trim("\xC2\xA0x\xC2\xA0"), "\xC2\xA0x\xC2\xA0");  // no-break space stays
    EXPECT_EQ(Replace("a-b-c", "-", "«»"), "a«»b«»c");
    EXPECT_EQ(Replace("aaa", "aa", "b"), "ba");
    EXPECT_EQ(Split("1#a#€#", "#"), (std::vector<std::string>{"1", "a", "€", ""}));
    EXPECT_TRUE(Split("", "#").empty());
    EXPECT_EQ(Split("a#b", ""), (std::vector<std::string>{"a#b"}));
    EXPECT_EQ(Join({"1", "a", "€", ""}, "#"), "1#a#€#");
    EXPECT_EQ(Space(3), "   ");
    EXPECT_EQ(String(3, U'€'), "€€€");
    // Case maps by the Unicode data.
    EXPECT_EQ(UCase("straße éà ÿ €5 日本 ×÷ ς ά ё ǅ"), "STRAßE ÉÀ Ÿ €5 日本 ×÷ Σ Ά Ё Ǆ");
    EXPECT_EQ(LCase("ÉCOLE ĄŁ ΑΣ Ё Ǆ ǅ"), "école ął ασ ё ǆ ǆ");
    // The capital sharp s lowers to ß; ß stays as it is when raised (above).
    EXPECT_EQ(LCase("STRA\u1E9EE"), "straße");
    EXPECT_EQ(UCaseFirst("école normale"), "École normale");
}

TEST(Like, MatchesWildcardsListsAndCharacters) {
    struct Case {
        const char* text;
        const char* pattern;
        bool matches;
        bool binary = false;  // compare case-sensitively
    };
    const Case cases[] = {{"", "", true},
                          {"a", "", false},  // text left over once the pattern is used up
                          {"mississippi", "*iss*pi", true},
                          {"2023-01", "####-##", true},
                          {"", "*?*", false},
                          {"b", "[!a-c]", false},
                          {"*", "[*]", true},
                          {"!", "[!]", true},
                          {"ÉTÉ", "été", true},
                          {"Σοφία", "σ*Α", true},
                          {"HELLO", "hello", false, true},
                          {"B", "[!a-c]", true, true},
                          {"¬", "[«-¬]", true},
                          {"a€b", "a[!x]b", true},
                          {"a\xFF", "a?", true}};  // an ill-formed byte is one character
    for (const Case& c : cases) {
        EXPECT_EQ(Like(c.text, c.pattern, c.binary), c.matches)
            << '"' << c.text << "\" like \"" << c.pattern << '"';
    }
    // Backtracking over every star position must not explode.
    const std::string text(2000, 'a');
    EXPECT_FALSE(Like(text, "*a*a*a*a*a*a*a*a*b"));
    EXPECT_TRUE(Like(text + "b", "*a*a*a*a*a*a*a*a*b"));
}

TEST(Like, IllFormedPatternsRaiseWhateverTheText) {
    for (const char* pattern : {"a[", "a[bc", "[!", "x*[a-", "[z-a]"}) {
        EXPECT_EQ(test::errorNumberOf([&] { Like("zzz", pattern); }), err::kInvalidPattern)
            << pattern;
    }
}

}  // namespace
}  // namespace qvc::rt
