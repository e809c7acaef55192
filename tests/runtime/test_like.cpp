#include <gtest/gtest.h>

#include <string>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/Like.h"

namespace qvc::rt {
namespace {

void ExpectInvalidPattern(const std::string& pattern) {
    try {
        Like("anything", pattern);
        ADD_FAILURE() << "pattern accepted: " << pattern;
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::kInvalidPattern) << pattern;
    }
}

TEST(Like, StarQuestionMarkAndDigit) {
    EXPECT_TRUE(Like("", ""));
    EXPECT_FALSE(Like("a", ""));
    EXPECT_TRUE(Like("", "*"));
    EXPECT_TRUE(Like("anything", "*"));
    EXPECT_TRUE(Like("abc", "a*"));
    EXPECT_TRUE(Like("abc", "*c"));
    EXPECT_TRUE(Like("abc", "a*c"));
    EXPECT_TRUE(Like("ac", "a*c"));
    EXPECT_FALSE(Like("abcd", "a*c"));
    EXPECT_TRUE(Like("abcbc", "a*bc"));
    EXPECT_TRUE(Like("aXbYc", "*b*"));
    EXPECT_TRUE(Like("mississippi", "*iss*pi"));
    EXPECT_FALSE(Like("mississippi", "*iss*pix"));
    EXPECT_TRUE(Like("abc", "a?c"));
    EXPECT_FALSE(Like("ac", "a?c"));
    EXPECT_FALSE(Like("abbc", "a?c"));
    EXPECT_TRUE(Like("abc", "???"));
    EXPECT_TRUE(Like("a1", "a#"));
    EXPECT_FALSE(Like("ab", "a#"));
    EXPECT_TRUE(Like("2023-01", "####-##"));
    EXPECT_FALSE(Like("2023-1", "####-##"));
    EXPECT_TRUE(Like("x", "*?*"));
    EXPECT_FALSE(Like("", "*?*"));
    EXPECT_TRUE(Like("a*b", "a*b"));
}

TEST(Like, CharacterListsRangesAndNegation) {
    EXPECT_TRUE(Like("0", "[0,1]"));
    EXPECT_TRUE(Like(",", "[0,1]"));
    EXPECT_TRUE(Like("1", "[0,1]"));
    EXPECT_FALSE(Like("2", "[0,1]"));
    EXPECT_FALSE(Like("01", "[0,1]"));
    EXPECT_TRUE(Like("3", "[2,3]"));
    EXPECT_FALSE(Like("23", "[2,3]"));
    EXPECT_TRUE(Like("m", "[a-z]"));
    EXPECT_FALSE(Like("5", "[a-z]"));
    EXPECT_TRUE(Like("5", "[a-z0-9]"));
    EXPECT_TRUE(Like("b7", "[a-c][5-9]"));
    EXPECT_TRUE(Like("x", "[!a-c]"));
    EXPECT_FALSE(Like("b", "[!a-c]"));
    EXPECT_FALSE(Like("", "[!a-c]"));
    EXPECT_TRUE(Like("*", "[*]"));
    EXPECT_FALSE(Like("a", "[*]"));
    EXPECT_TRUE(Like("a?", "a[?]"));
    EXPECT_FALSE(Like("ab", "a[?]"));
    EXPECT_TRUE(Like("#", "[#]"));
    EXPECT_TRUE(Like("[", "[[]"));
    EXPECT_TRUE(Like("-", "[-a]"));
    EXPECT_TRUE(Like("-", "[a-]"));
    EXPECT_FALSE(Like("b", "[a-]"));
    EXPECT_TRUE(Like("!", "[!]"));
    EXPECT_TRUE(Like("ab", "a[]b"));
    EXPECT_TRUE(Like("]", "]"));
    EXPECT_TRUE(Like("x]", "?]"));
    EXPECT_TRUE(Like("file12.txt", "file[0-9]#.*"));
}

TEST(Like, CaseInsensitiveByDefault) {
    EXPECT_TRUE(Like("HELLO", "hello"));
    EXPECT_TRUE(Like("Hello World", "h*WORLD"));
    EXPECT_TRUE(Like("B", "[a-c]"));
    EXPECT_TRUE(Like("b", "[A-C]"));
    EXPECT_FALSE(Like("B", "[!a-c]"));
    EXPECT_TRUE(Like("ÉTÉ", "été"));
    EXPECT_TRUE(Like("Σοφία", "σ*Α"));
    EXPECT_FALSE(Like("HELLO", "hello", true));
    EXPECT_TRUE(Like("hello", "hello", true));
    EXPECT_FALSE(Like("B", "[a-c]", true));
    EXPECT_TRUE(Like("B", "[!a-c]", true));
}

TEST(Like, CharactersNotBytes) {
    EXPECT_TRUE(Like("€", "?"));
    EXPECT_TRUE(Like("日本", "??"));
    EXPECT_FALSE(Like("日本", "???"));
    EXPECT_TRUE(Like("«x»", "«?»"));
    EXPECT_TRUE(Like("¬", "[«-¬]"));
    EXPECT_TRUE(Like("é", "[àé]"));
    EXPECT_FALSE(Like("e", "[àé]"));
    EXPECT_TRUE(Like("a€b", "a[!x]b"));
    EXPECT_TRUE(Like("本", "[一-龥]"));
    // Ill-formed bytes are single characters.
    EXPECT_TRUE(
        Like("a\xFF"
             "b",
             "a?b"));
    EXPECT_TRUE(
        Like("a\xFF"
             "b",
             "a\xFF"
             "b"));
}

TEST(Like, IllFormedPatternsRaiseWhateverTheText) {
    ExpectInvalidPattern("[");
    ExpectInvalidPattern("a[bc");
    ExpectInvalidPattern("[!");
    ExpectInvalidPattern("x*[a-");
    ExpectInvalidPattern("[z-a]");
    // Raised even when the text would fail before reaching the bracket.
    try {
        Like("zzz", "a[");
        ADD_FAILURE() << "pattern accepted";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), err::kInvalidPattern);
    }
}

TEST(Like, ManyStarsStayFast) {
    // Backtracking over every star position must not explode.
    const std::string text(2000, 'a');
    EXPECT_FALSE(Like(text, "*a*a*a*a*a*a*a*a*b"));
    EXPECT_TRUE(Like(text + "b", "*a*a*a*a*a*a*a*a*b"));
}

}  // namespace
}  // namespace qvc::rt
