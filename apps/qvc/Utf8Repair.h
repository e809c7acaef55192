#pragma once
#include <string>
#include <string_view>

namespace qvc::cli {

// The text with every byte sequence that is not well-formed UTF-8 replaced by
// U+FFFD, so that it can be written as JSON. Valid text comes back unchanged.
std::string withValidUtf8(std::string_view text);

// The longest prefix of at most maxBytes bytes that does not end inside a
// UTF-8 sequence.
std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes);

}  // namespace qvc::cli
