#include "Utf8Repair.h"

#include <utf8.h>
#include <iterator>

namespace qvc::cli {

std::string withValidUtf8(std::string_view text) {
    if (utf8::is_valid(text.begin(), text.end()))
        return std::string(text);
    std::string repaired;
    repaired.reserve(text.size() + 8);
    utf8::replace_invalid(text.begin(), text.end(), std::back_inserter(repaired));
    return repaired;
}

std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    // Step back over continuation bytes (10xxxxxx) to the start of the
    // sequence that would be cut, at most three of them.
    for (int steps = 0;
         steps < 3 && end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80; ++steps)
        --end;
    return text.substr(0, end);
}

}  // namespace qvc::cli
