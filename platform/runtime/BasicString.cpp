#include "qvc/runtime/BasicString.h"

#include <utf8.h>

#include <algorithm>
#include <iterator>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::rt {
namespace {

// A byte outside any well-formed sequence decodes to U+DC00 + byte.
constexpr char32_t kEscapeBase = 0xDC00;
constexpr char32_t kReplacementChar = 0xFFFD;

struct DecodedChar {
    char32_t cp;
    size_t bytes;
};

// The character starting at byte `pos` (pos < s.size()).
DecodedChar CharAt(std::string_view s, size_t pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    size_t want = 1;
    if (lead >= 0xC0 && lead <= 0xDF) {
        want = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        want = 3;
    } else if (lead >= 0xF0 && lead <= 0xF7) {
        want = 4;
    }
    if (want > 1 && pos + want <= s.size()) {
        const char* begin = s.data() + pos;
        const char* end = begin + want;
        if (utf8::find_invalid(begin, end) == end) {
            const char* it = begin;
            return {static_cast<char32_t>(utf8::unchecked::next(it)), want};
        }
    }
    return {kEscapeBase + lead, 1};
}

// Byte offset just after the first `n` characters of s (s.size() when s is shorter).
size_t ByteOffsetOfChar(std::string_view s, size_t n) {
    size_t pos = 0;
    for (size_t i = 0; i < n && pos < s.size(); ++i) {
        pos += CharAt(s, pos).bytes;
    }
    return pos;
}

void RequireNonNegative(long n, const char* what) {
    if (n < 0) {
        throw Error(err::kInvalidProcedureCall,
                    std::string("Invalid procedure call: ") + what + " must not be negative");
    }
}

bool IsCharacter(char32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

void AppendChar(std::string& out, char32_t c) {
    if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
        out.push_back(static_cast<char>(c - kEscapeBase));
        return;
    }
    utf8::unchecked::append(IsCharacter(c) ? c : kReplacementChar, std::back_inserter(out));
}

// Pairs of upper/lower case letters laid out alternately: upper at even (or odd)
// code points, the lower-case partner right after.
struct AlternatingRange {
    char32_t first;
    char32_t last;
};
constexpr AlternatingRange kUpperFirstPairs[] = {
    {0x0100, 0x012F}, {0x0132, 0x0137}, {0x0139, 0x0148}, {0x014A, 0x0177}, {0x0179, 0x017E},
    {0x0460, 0x0481}, {0x048A, 0x04BF}, {0x04D0, 0x04FF}, {0x1E00, 0x1E95}, {0x1EA0, 0x1EFF},
};

// Returns the partner of c in an alternating range, or c.
char32_t AlternatingPartner(char32_t c, bool toUpper) {
    for (const auto& r : kUpperFirstPairs) {
        if (c < r.first || c > r.last) {
            continue;
        }
        const bool isUpper = ((c - r.first) % 2) == 0;
        if (toUpper && !isUpper) {
            return c - 1;
        }
        if (!toUpper && isUpper) {
            return c + 1;
        }
        return c;
    }
    return c;
}

// Contiguous blocks where lower = upper + offset.
struct ShiftedBlock {
    char32_t upperFirst;
    char32_t upperLast;
    char32_t offset;
};
constexpr ShiftedBlock kShiftedBlocks[] = {
    {0x0041, 0x005A, 0x20},                          // A-Z
    {0x00C0, 0x00D6, 0x20},                          // À-Ö
    {0x00D8, 0x00DE, 0x20},                          // Ø-Þ
    {0x0388, 0x038A, 0x25},                          // Έ-Ί
    {0x038E, 0x038F, 0x3F},                          // Ύ-Ώ
    {0x0391, 0x03A1, 0x20},                          // Greek capitals before the gap at U+03A2
    {0x03A3, 0x03AB, 0x20}, {0x0400, 0x040F, 0x50},  // Cyrillic Ѐ-Џ
    {0x0410, 0x042F, 0x20},                          // Cyrillic А-Я
    {0xFF21, 0xFF3A, 0x20},                          // full-width A-Z
};

}  // namespace

char32_t UpperChar(char32_t c) {
    if (c < 0x61) {
        return c;
    }
    for (const auto& b : kShiftedBlocks) {
        if (c >= b.upperFirst + b.offset && c <= b.upperLast + b.offset) {
            return c - b.offset;
        }
    }
    switch (c) {
        case 0x00FF:
            return 0x0178;  // ÿ -> Ÿ
        case 0x0131:
            return 0x0049;  // dotless ı -> I
        case 0x03AC:
            return 0x0386;  // ά -> Ά
        case 0x03CC:
            return 0x038C;  // ό -> Ό
        case 0x03C2:
            return 0x03A3;  // final sigma
        default:
            break;
    }
    return AlternatingPartner(c, true);
}

char32_t LowerChar(char32_t c) {
    if (c < 0x41) {
        return c;
    }
    for (const auto& b : kShiftedBlocks) {
        if (c >= b.upperFirst && c <= b.upperLast) {
            return c + b.offset;
        }
    }
    switch (c) {
        case 0x0178:
            return 0x00FF;
        case 0x0130:
            return 0x0069;  // İ -> i
        case 0x0386:
            return 0x03AC;
        case 0x038C:
            return 0x03CC;
        default:
            break;
    }
    return AlternatingPartner(c, false);
}

std::u32string DecodeUtf8(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    for (size_t pos = 0; pos < s.size();) {
        const DecodedChar ch = CharAt(s, pos);
        out.push_back(ch.cp);
        pos += ch.bytes;
    }
    return out;
}

std::string EncodeUtf8(std::u32string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char32_t c : s) {
        AppendChar(out, c);
    }
    return out;
}

size_t Len(std::string_view s) {
    size_t count = 0;
    for (size_t pos = 0; pos < s.size(); ++count) {
        pos += CharAt(s, pos).bytes;
    }
    return count;
}

std::string Left(std::string_view s, long n) {
    RequireNonNegative(n, "Left length");
    return std::string(s.substr(0, ByteOffsetOfChar(s, static_cast<size_t>(n))));
}

std::string Right(std::string_view s, long n) {
    RequireNonNegative(n, "Right length");
    const size_t len = Len(s);
    if (static_cast<size_t>(n) >= len) {
        return std::string(s);
    }
    return std::string(s.substr(ByteOffsetOfChar(s, len - static_cast<size_t>(n))));
}

std::string Mid(std::string_view s, long start) {
    if (start < 1) {
        throw Error(err::kInvalidProcedureCall,
                    "Invalid procedure call: Mid start must be 1 or more");
    }
    return std::string(s.substr(ByteOffsetOfChar(s, static_cast<size_t>(start - 1))));
}

std::string Mid(std::string_view s, long start, long length) {
    RequireNonNegative(length, "Mid length");
    const std::string tail = Mid(s, start);
    return Left(tail, length);
}

std::string LTrim(std::string_view s) {
    const size_t first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(s.substr(first));
}

std::string RTrim(std::string_view s) {
    const size_t last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(s.substr(0, last + 1));
}

std::string Trim(std::string_view s) {
    return LTrim(RTrim(s));
}

long InStr(long start, std::string_view s, std::string_view find) {
    if (start < 1) {
        throw Error(err::kInvalidProcedureCall,
                    "Invalid procedure call: InStr start must be 1 or more");
    }
    // Searching the decoded text keeps a stray byte in `find` from matching
    // inside a multi-byte character of `s`.
    const std::u32string text = DecodeUtf8(s);
    const std::u32string needle = DecodeUtf8(find);
    const auto from = static_cast<size_t>(start - 1);
    if (from > text.size()) {
        return 0;
    }
    const size_t at = text.find(needle, from);
    return at == std::u32string::npos ? 0 : static_cast<long>(at + 1);
}

long InStr(std::string_view s, std::string_view find) {
    return InStr(1, s, find);
}

std::string Replace(std::string_view s, std::string_view find, std::string_view with) {
    if (find.empty()) {
        return std::string(s);
    }
    const std::u32string text = DecodeUtf8(s);
    const std::u32string needle = DecodeUtf8(find);
    const std::u32string replacement = DecodeUtf8(with);
    std::u32string out;
    size_t pos = 0;
    for (size_t at = text.find(needle); at != std::u32string::npos; at = text.find(needle, pos)) {
        out.append(text, pos, at - pos);
        out.append(replacement);
        pos = at + needle.size();
    }
    out.append(text, pos);
    return EncodeUtf8(out);
}

std::vector<std::string> Split(std::string_view s, std::string_view delimiter) {
    std::vector<std::string> parts;
    if (s.empty()) {
        return parts;
    }
    if (delimiter.empty()) {
        parts.emplace_back(s);
        return parts;
    }
    const std::u32string text = DecodeUtf8(s);
    const std::u32string delim = DecodeUtf8(delimiter);
    size_t pos = 0;
    for (size_t at = text.find(delim); at != std::u32string::npos; at = text.find(delim, pos)) {
        parts.push_back(EncodeUtf8(std::u32string_view(text).substr(pos, at - pos)));
        pos = at + delim.size();
    }
    parts.push_back(EncodeUtf8(std::u32string_view(text).substr(pos)));
    return parts;
}

std::string Join(const std::vector<std::string>& parts, std::string_view delimiter) {
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            out.append(delimiter);
        }
        out.append(parts[i]);
    }
    return out;
}

std::string UCase(std::string_view s) {
    std::u32string text = DecodeUtf8(s);
    std::transform(text.begin(), text.end(), text.begin(), UpperChar);
    return EncodeUtf8(text);
}

std::string LCase(std::string_view s) {
    std::u32string text = DecodeUtf8(s);
    std::transform(text.begin(), text.end(), text.begin(), LowerChar);
    return EncodeUtf8(text);
}

std::string UCaseFirst(std::string_view s) {
    if (s.empty()) {
        return std::string();
    }
    const DecodedChar first = CharAt(s, 0);
    std::string out;
    AppendChar(out, UpperChar(first.cp));
    out.append(s.substr(first.bytes));
    return out;
}

std::string Space(long n) {
    RequireNonNegative(n, "Space count");
    return std::string(static_cast<size_t>(n), ' ');
}

std::string String(long n, char32_t c) {
    RequireNonNegative(n, "String count");
    if (!IsCharacter(c)) {
        throw Error(err::kInvalidProcedureCall,
                    "Invalid procedure call: String needs a valid character");
    }
    std::string one;
    AppendChar(one, c);
    std::string out;
    out.reserve(one.size() * static_cast<size_t>(n));
    for (long i = 0; i < n; ++i) {
        out.append(one);
    }
    return out;
}

}  // namespace qvc::rt
