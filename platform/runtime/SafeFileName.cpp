#include "qvc/runtime/SafeFileName.h"

#include <fmt/format.h>

#include <utf8.h>

#include <cstdint>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::rt {

namespace {

// "~" and eight hex digits.
constexpr size_t kHashSuffixBytes = 9;
constexpr size_t kMaxExtensionBytes = 16;
// Room for the longest extension, the hash and a few characters of the text.
constexpr size_t kMinFileNameBytes = 32;

bool isUnsafe(uint32_t c) {
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F))
        return true;
    switch (c) {
        case '/':
        case '\\':
        case ':':
        case '*':
        case '?':
        case '"':
        case '<':
        case '>':
        case '|':
        case 0x2028:  // line and paragraph separators
        case 0x2029:
        case 0x200E:  // direction marks
        case 0x200F:
        case 0xFEFF:  // byte order mark
            return true;
        default:
            break;
    }
    // Embeddings, overrides and isolates can make a name show another extension.
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// Every character of `text` that may stand in a name as it is, every other one
// (and every byte that does not start a valid UTF-8 character) as "_".
std::string replaceUnsafe(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    auto it = text.begin();
    const auto end = text.end();
    while (it != end) {
        const auto start = it;
        uint32_t c = 0;
        try {
            c = utf8::next(it, end);
        } catch (const utf8::exception&) {
            out += '_';
            it = start + 1;
            continue;
        }
        if (isUnsafe(c))
            out += '_';
        else
            out.append(start, it);
    }
    return out;
}

bool isDotOrBlank(char c) {
    return c == '.' || c == ' ';
}

void trimDotsAndBlanks(std::string& s) {
    size_t first = 0;
    while (first < s.size() && isDotOrBlank(s[first]))
        ++first;
    s.erase(0, first);
    while (!s.empty() && isDotOrBlank(s.back()))
        s.pop_back();
}

// FNV-1a, 32 bits: stable across runs and machines, so a name stays the same.
uint32_t hashOf(std::string_view text) {
    uint32_t h = 2166136261u;
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

std::string hashSuffix(std::string_view text) {
    return fmt::format("~{:08x}", hashOf(text));
}

// The longest prefix of valid UTF-8 `s` of at most `bytes` bytes that ends on a
// character boundary.
void cutOnCharacter(std::string& s, size_t bytes) {
    if (s.size() <= bytes)
        return;
    size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80)
        --end;
    s.resize(end);
}

}  // namespace

std::string SafeFileName(std::string_view text) {
    return SafeFileName(text, "");
}

std::string SafeFileName(std::string_view stem, std::string_view extension, size_t maxBytes) {
    if (extension.size() > kMaxExtensionBytes)
        throw Error(err::kInvalidProcedureCall,
                    "A file name extension must not be longer than 16 bytes");
    if (maxBytes < kMinFileNameBytes || maxBytes > kMaxFileNameBytes)
        throw Error(err::kInvalidProcedureCall, "A file name limit must be 32 to 200 bytes");
    std::string name = replaceUnsafe(stem);
    trimDotsAndBlanks(name);
    if (name.empty())
        name = "_";
    if (name.size() + extension.size() > maxBytes) {
        cutOnCharacter(name, maxBytes - extension.size() - kHashSuffixBytes);
        trimDotsAndBlanks(name);
        name += hashSuffix(stem);
    }
    name += extension;
    return name;
}

}  // namespace qvc::rt
