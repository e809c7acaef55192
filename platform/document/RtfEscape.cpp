#include "RtfEscape.h"

#include <fmt/format.h>

#include <utf8.h>

#include <iterator>

namespace qvc::doc::detail {

namespace {
void appendUnit(std::string& out, uint32_t unit) {
    int value = unit > 32767 ? static_cast<int>(unit) - 65536 : static_cast<int>(unit);
    fmt::format_to(std::back_inserter(out), "\\u{}?", value);
}
}  // namespace

void appendRtfText(std::string& out, std::string_view utf8) {
    auto it = utf8.begin();
    const auto end = utf8.end();
    while (it != end) {
        uint32_t cp;
        try {
            cp = utf8::next(it, end);
        } catch (const utf8::exception&) {
            cp = 0xFFFD;
            ++it;
        }
        if (cp == '\\' || cp == '{' || cp == '}') {
            out += '\\';
            out += static_cast<char>(cp);
        } else if (cp >= 0x20 && cp < 0x7F) {
            out += static_cast<char>(cp);
        } else if (cp < 0x20 || cp == 0x7F) {
            continue;
        } else if (cp < 0x10000) {
            appendUnit(out, cp);
        } else {
            uint32_t v = cp - 0x10000;
            appendUnit(out, 0xD800 + (v >> 10));
            appendUnit(out, 0xDC00 + (v & 0x3FF));
        }
    }
}

}  // namespace qvc::doc::detail
