#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::rt {
namespace {

// « (2 bytes), ¬ (2 bytes), € (3 bytes), é (2 bytes) and two CJK characters (3 bytes).
const std::string kMixed = "a«b¬€é日本";

template <typename F>
void ExpectInvalidCall(F&& f) {
    try {
        f();
        ADD_FAILURE() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::kInvalidProcedureCall);
    }
}

TEST(BasicString, LengthsAndPositionsCountCharacters) {
    EXPECT_EQ(Len(""), 0u);
    EXPECT_EQ(Len(kMixed), 8u);
    EXPECT_EQ(Left(kMixed, 0), "");
    EXPECT_EQ(Left(kMixed, 2), "a«");
    EXPECT_EQ(Left(kMixed, 5), "a«b¬€");
    EXPECT_EQ(Left(kMixed, 8), kMixed);
    EXPECT_EQ(Left(kMixed, 100), kMixed);
    EXPECT_EQ(Right(kMixed, 2), "日本");
    EXPECT_EQ(Right(kMixed, 3), "é日本");
    EXPECT_EQ(Right(kMixed, 0), "");
    EXPECT_EQ(Right(kMixed, 9), kMixed);
    EXPECT_EQ(Mid(kMixed, 2, 1), "«");
    EXPECT_EQ(Mid(kMixed, 4, 3), "¬€é");
    EXPECT_EQ(Mid(kMixed, 6), "é日本");
    EXPECT_EQ(Mid(kMixed, 8, 5), "本");
    EXPECT_EQ(Mid(kMixed, 9), "");
    EXPECT_EQ(Mid(kMixed, 50, 2), "");
    EXPECT_EQ(Mid(kMixed, 3, 0), "");
}

TEST(BasicString, BadArgumentsRaiseInvalidProcedureCall) {
    ExpectInvalidCall([] { Left("abc", -1); });
    ExpectInvalidCall([] { Right("abc", -1); });
    ExpectInvalidCall([] { Mid("abc", 0); });
    ExpectInvalidCall([] { Mid("abc", 1, -1); });
    ExpectInvalidCall([] { InStr(0, "abc", "a"); });
    ExpectInvalidCall([] { Space(-2); });
    ExpectInvalidCall([] { String(-1, U'x'); });
    ExpectInvalidCall([] { String(2, char32_t{0xD800}); });
    ExpectInvalidCall([] { String(2, char32_t{0x110000}); });
}

TEST(BasicString, IllFormedBytesCountAsOneCharacterEachAndSurvive) {
    // A lone continuation byte, a truncated € and an overlong "/" (C0 AF).
    const std::string bad = std::string("x\x80y") + "\xE2\x82" + "z\xC0\xAF";
    EXPECT_EQ(Len(bad), 8u);
    EXPECT_EQ(Left(bad, 2), "x\x80");
    EXPECT_EQ(Mid(bad, 4, 2), "\xE2\x82");
    EXPECT_EQ(Right(bad, 2), "\xC0\xAF");
    EXPECT_EQ(EncodeUtf8(DecodeUtf8(bad)), bad);
    EXPECT_EQ(UCase(bad), std::string("X\x80Y") + "\xE2\x82" + "Z\xC0\xAF");
    // An encoded surrogate is not a character: three stray bytes.
    EXPECT_EQ(Len("\xED\xA0\x80"), 3u);
    // A stray byte must not be found inside a well-formed character: é is C3 A9.
    EXPECT_EQ(InStr("é", "\xA9"), 0);
    EXPECT_EQ(InStr("é\xA9", "\xA9"), 2);
    EXPECT_EQ(Replace("é", "\xA9", "!"), "é");
    // A text ending in the middle of a four-byte character.
    EXPECT_EQ(Len("a\xF0\x9F\x98"), 4u);
    EXPECT_EQ(Len("a\xF0\x9F\x98\x80"), 2u);
}

TEST(BasicString, TrimRemovesOnlyBlanks) {
    EXPECT_EQ(Trim("  two words \t "), "two words \t");
    EXPECT_EQ(LTrim("  «x» "), "«x» ");
    EXPECT_EQ(RTrim("  «x» "), "  «x»");
    EXPECT_EQ(Trim("     "), "");
    EXPECT_EQ(Trim(""), "");
    // A no-break space is not a blank.
    EXPECT_EQ(Trim("\xC2\xA0x\xC2\xA0"), "\xC2\xA0x\xC2\xA0");
}

TEST(BasicString, InStrFindsCharacterPositions) {
    EXPECT_EQ(InStr(kMixed, "€"), 5);
    EXPECT_EQ(InStr(kMixed, "日本"), 7);
    EXPECT_EQ(InStr(kMixed, "x"), 0);
    EXPECT_EQ(InStr(6, kMixed, "€"), 0);
    EXPECT_EQ(InStr(5, kMixed, "€"), 5);
    EXPECT_EQ(InStr(3, "abcabc", "abc"), 4);
    EXPECT_EQ(InStr(1, "abc", ""), 1);
    EXPECT_EQ(InStr(4, "abc", ""), 4);
    EXPECT_EQ(InStr(5, "abc", ""), 0);
    EXPECT_EQ(InStr(9, "abc", "a"), 0);
    EXPECT_EQ(InStr("", "a"), 0);
    // The comparison is exact.
    EXPECT_EQ(InStr("ABC", "b"), 0);
}

TEST(BasicString, ReplaceSplitJoin) {
    EXPECT_EQ(Replace("a-b-c", "-", "«»"), "a«»b«»c");
    EXPECT_EQ(Replace("aaa", "aa", "b"), "ba");
    EXPECT_EQ(Replace("€€", "€", ""), "");
    EXPECT_EQ(Replace("abc", "", "x"), "abc");
    EXPECT_EQ(Replace("", "a", "x"), "");

    EXPECT_EQ(Split("1#a#€#", "#"), (std::vector<std::string>{"1", "a", "€", ""}));
    EXPECT_EQ(Split("#", "#"), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(Split("SI-DC1-LS", "-"), (std::vector<std::string>{"SI", "DC1", "LS"}));
    EXPECT_EQ(Split("a<>b<>", "<>"), (std::vector<std::string>{"a", "b", ""}));
    EXPECT_TRUE(Split("", "#").empty());
    EXPECT_EQ(Split("a#b", ""), (std::vector<std::string>{"a#b"}));

    EXPECT_EQ(Join({"1", "a", "€", ""}, "#"), "1#a#€#");
    EXPECT_EQ(Join({}, "#"), "");
    EXPECT_EQ(Join({"only"}, ", "), "only");
    EXPECT_EQ(Join(Split("x, y, z", ", "), ", "), "x, y, z");
}

TEST(BasicString, CaseMappingFollowsTheUnicodeData) {
    // Scripts and letters beyond Latin, Greek and Cyrillic, title-case digraphs, and
    // four-byte characters (Deseret), which must come back as four bytes.
    EXPECT_EQ(UCase("ƀ ǆ ǅ աբ"), "Ƀ Ǆ Ǆ ԱԲ");
    EXPECT_EQ(LCase("Ƀ Ǆ ǅ ԱԲ"), "ƀ ǆ ǆ աբ");
    EXPECT_EQ(UCase("\U00010428x"), "\U00010400X");
    EXPECT_EQ(LCase("\U00010400X"), "\U00010428x");
    // The capital sharp s lowers to ß, but ß stays as it is when raised.
    EXPECT_EQ(LCase("STRA\u1E9EE"), "straße");
    EXPECT_EQ(UpperChar(U'ß'), U'ß');
    EXPECT_EQ(LowerChar(UpperChar(U'\U00010428')), U'\U00010428');
}

TEST(BasicString, CaseMappingCoversLettersBeyondAscii) {
    EXPECT_EQ(UCase("straße éà ÿ €5 日本"), "STRAßE ÉÀ Ÿ €5 日本");
    EXPECT_EQ(LCase("ÉCOLE ÀÖØÞ Ÿ"), "école àöøþ ÿ");
    EXPECT_EQ(UCase("ąčěłńőšžź"), "ĄČĚŁŃŐŠŽŹ");
    EXPECT_EQ(LCase("ĄČĚŁŃŐŠŽŹ"), "ąčěłńőšžź");
    EXPECT_EQ(UCase("αβγ ς ά"), "ΑΒΓ Σ Ά");
    EXPECT_EQ(LCase("ΑΒΓΣΩ"), "αβγσω");
    EXPECT_EQ(UCase("привет ё"), "ПРИВЕТ Ё");
    EXPECT_EQ(LCase("ПРИВЕТ Ё"), "привет ё");
    EXPECT_EQ(UCase("×÷"), "×÷");
    EXPECT_EQ(UCaseFirst("école normale"), "École normale");
    EXPECT_EQ(UCaseFirst("already Up"), "Already Up");
    EXPECT_EQ(UCaseFirst("1st"), "1st");
    EXPECT_EQ(UCaseFirst(""), "");
    EXPECT_EQ(UCaseFirst("\xFF"
                         "abc"),
              "\xFF"
              "abc");
}

TEST(BasicString, SpaceAndString) {
    EXPECT_EQ(Space(0), "");
    EXPECT_EQ(Space(3), "   ");
    EXPECT_EQ(String(3, U'€'), "€€€");
    EXPECT_EQ(String(0, U'x'), "");
    EXPECT_EQ(Len(String(4, U'日')), 4u);
}

}  // namespace
}  // namespace qvc::rt
