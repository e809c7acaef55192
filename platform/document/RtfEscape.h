#pragma once
// Escaping of UTF-8 text for RTF: "\", "{" and "}" get a backslash, printable
// ASCII stays, every other character becomes \uN? with N the signed 16-bit value
// of each UTF-16 unit (so characters beyond U+FFFF become a surrogate pair). The
// writer declares \uc1, so the "?" is the one fallback character older readers show.
// Control characters are dropped.

#include <string>
#include <string_view>

namespace qvc::doc::detail {

void appendRtfText(std::string& out, std::string_view utf8);

}  // namespace qvc::doc::detail
