#include "qvc/runtime/Like.h"

#include <string>
#include <vector>

#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::rt {
namespace {

struct CharRange {
    char32_t low;
    char32_t high;
};

// One pattern element. Every element except Star matches exactly one character.
struct Token {
    enum class Kind { Literal, AnyChar, Digit, List, Star };
    Kind kind = Kind::Literal;
    char32_t literal = 0;
    bool negated = false;
    std::vector<CharRange> ranges;
};

[[noreturn]] void ThrowInvalidPattern() {
    throw Error(err::kInvalidPattern, "Invalid pattern string");
}

char32_t Fold(char32_t c) {
    return LowerChar(UpperChar(c));
}

// Parses the list after "[" starting at index i (just past the bracket); leaves i
// just past the closing "]". Returns false for "[]", which matches nothing.
bool ParseList(const std::u32string& p, size_t& i, Token& token) {
    token.kind = Token::Kind::List;
    if (i < p.size() && p[i] == U'!' && i + 1 < p.size() && p[i + 1] != U']') {
        token.negated = true;
        ++i;
    }
    while (i < p.size() && p[i] != U']') {
        const char32_t low = p[i];
        if (i + 2 < p.size() && p[i + 1] == U'-' && p[i + 2] != U']') {
            const char32_t high = p[i + 2];
            if (high < low) {
                ThrowInvalidPattern();
            }
            token.ranges.push_back({low, high});
            i += 3;
        } else {
            token.ranges.push_back({low, low});
            ++i;
        }
    }
    if (i >= p.size()) {
        ThrowInvalidPattern();
    }
    ++i;  // the closing bracket
    return !token.ranges.empty();
}

std::vector<Token> Compile(std::string_view pattern) {
    const std::u32string p = DecodeUtf8(pattern);
    std::vector<Token> tokens;
    for (size_t i = 0; i < p.size();) {
        Token token;
        const char32_t c = p[i++];
        switch (c) {
            case U'*':
                token.kind = Token::Kind::Star;
                break;
            case U'?':
                token.kind = Token::Kind::AnyChar;
                break;
            case U'#':
                token.kind = Token::Kind::Digit;
                break;
            case U'[':
                if (!ParseList(p, i, token)) {
                    continue;
                }
                break;
            default:
                token.literal = c;
                break;
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

bool InRanges(const std::vector<CharRange>& ranges, char32_t c) {
    for (const auto& r : ranges) {
        if (c >= r.low && c <= r.high) {
            return true;
        }
    }
    return false;
}

bool Matches(const Token& token, char32_t c, bool caseSensitive) {
    switch (token.kind) {
        case Token::Kind::AnyChar:
            return true;
        case Token::Kind::Digit:
            return c >= U'0' && c <= U'9';
        case Token::Kind::Literal:
            return caseSensitive ? c == token.literal : Fold(c) == Fold(token.literal);
        case Token::Kind::List: {
            bool found = InRanges(token.ranges, c);
            if (!found && !caseSensitive) {
                found =
                    InRanges(token.ranges, LowerChar(c)) || InRanges(token.ranges, UpperChar(c));
            }
            return found != token.negated;
        }
        case Token::Kind::Star:
            break;
    }
    return false;
}

}  // namespace

bool Like(std::string_view text, std::string_view pattern, bool caseSensitive) {
    const std::vector<Token> tokens = Compile(pattern);
    const std::u32string t = DecodeUtf8(text);

    // Greedy matching that returns to the last star on a mismatch; every other
    // element takes exactly one character, so one remembered star is enough.
    constexpr size_t kNone = static_cast<size_t>(-1);
    size_t ti = 0;
    size_t pi = 0;
    size_t starPi = kNone;
    size_t starTi = 0;
    while (ti < t.size()) {
        if (pi < tokens.size() && tokens[pi].kind == Token::Kind::Star) {
            starPi = pi++;
            starTi = ti;
        } else if (pi < tokens.size() && Matches(tokens[pi], t[ti], caseSensitive)) {
            ++pi;
            ++ti;
        } else if (starPi != kNone) {
            pi = starPi + 1;
            ti = ++starTi;
        } else {
            return false;
        }
    }
    while (pi < tokens.size() && tokens[pi].kind == Token::Kind::Star) {
        ++pi;
    }
    return pi == tokens.size();
}

bool Like(std::string_view text, std::string_view pattern) {
    return Like(text, pattern, false);
}

}  // namespace qvc::rt
