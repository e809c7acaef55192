// Basic's Like operator: wildcards, character lists, case and characters
// beyond ASCII, and the patterns it refuses.

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/Like.h"

namespace qvc::rt {
namespace {

TEST(Like, MatchesWildcardsListsAndCharacters) {
    struct Case {
        const char* text;
        const char* pattern;
        bool matches;
        bool binary = false;  // compare case-sensitively
    };
    const Case cases[] = {
        {"", "", true},
        {"a", "", false},
        {"ac", "a*c", true},
        {"abcd", "a*c", false},
        {"mississippi", "*iss*pi", true},
        {"mississippi", "*iss*pix", false},
        {"abc", "a?c", true},
        {"ac", "a?c", false},
        {"2023-01", "####-##", true},
        {"2023-1", "####-##", false},
        {"ab", "a#", false},
        {"", "*?*", false},
        {",", "[0,1]", true},
        {"2", "[0,1]", false},
        {"m", "[a-z]", true},
        {"5", "[a-z0-9]", true},
        {"b", "[!a-c]", false},
        {"", "[!a-c]", false},
        {"*", "[*]", true},
        {"a", "[*]", false},
        {"ab", "a[?]", false},
        {"[", "[[]", true},
        {"-", "[a-]", true},
        {"b", "[a-]", false},
        {"!", "[!]", true},
        {"ab", "a[]b", true},
        {"x]", "?]", true},
        {"file12.txt", "file[0-9]#.*", true},
        {"Hello World", "h*WORLD", true},
        {"b", "[A-C]", true},
        {"B", "[!a-c]", false},
        {"ÉTÉ", "été", true},
        {"Σοφία", "σ*Α", true},
        {"HELLO", "hello", false, true},
        {"B", "[a-c]", false, true},
        {"B", "[!a-c]", true, true},
        {"日本", "???", false},
        {"¬", "[«-¬]", true},
        {"e", "[àé]", false},
        {"a€b", "a[!x]b", true},
        {"本", "[一-龥]", true},
        {"a\xFF"
         "b",
         "a?b", true},  // an ill-formed byte is one character
    };
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
    for (const char* pattern : {"[", "a[bc", "[!", "x*[a-", "[z-a]"}) {
        EXPECT_EQ(test::errorNumberOf([&] { Like("anything", pattern); }), err::kInvalidPattern)
            << pattern;
    }
    EXPECT_EQ(test::errorNumberOf([] { Like("zzz", "a["); }), err::kInvalidPattern);
}

}  // namespace
}  // namespace qvc::rt
