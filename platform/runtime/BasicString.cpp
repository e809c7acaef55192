#include "qvc/runtime/BasicString.h"

#include <utf8proc.h>

#include <algorithm>

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

// The character starting at byte `pos` (pos < s.size()). utf8proc refuses
// overlong forms, surrogates, truncated sequences and stray continuation bytes.
DecodedChar CharAt(std::string_view s, size_t pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    utf8proc_int32_t cp = 0;
    const utf8proc_ssize_t used =
        utf8proc_iterate(reinterpret_cast<const utf8proc_uint8_t*>(s.data() + pos),
                         static_cast<utf8proc_ssize_t>(s.size() - pos), &cp);
    if (used > 0 && cp >= 0) {
        return {static_cast<char32_t>(cp), static_cast<size_t>(used)};
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
    return utf8proc_codepoint_valid(static_cast<utf8proc_int32_t>(c));
}

void AppendChar(std::string& out, char32_t c) {
    if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
        out.push_back(static_cast<char>(c - kEscapeBase));
        return;
    }
    utf8proc_uint8_t bytes[4];
    const utf8proc_ssize_t n = utf8proc_encode_char(
        static_cast<utf8proc_int32_t>(IsCharacter(c) ? c : kReplacementChar), bytes);
    out.append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(n));
}

}  // namespace

// Simple (one character to one character) case mappings of the Unicode database.
// An escaped byte (U+DC80..U+DCFF) is a surrogate, which has no case.
char32_t UpperChar(char32_t c) {
    // utf8proc gives the capital sharp s (U+1E9E); the Unicode data's simple mapping,
    // and Basic's UCase, leave the small sharp s as it is.
    constexpr char32_t kSharpS = 0x00DF;
    if (c > 0x10FFFF || c == kSharpS) {
        return c;
    }
    return static_cast<char32_t>(utf8proc_toupper(static_cast<utf8proc_int32_t>(c)));
}

char32_t LowerChar(char32_t c) {
    if (c > 0x10FFFF) {
        return c;
    }
    return static_cast<char32_t>(utf8proc_tolower(static_cast<utf8proc_int32_t>(c)));
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
