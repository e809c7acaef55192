#pragma once
// Short, printable forms of JSON values and texts for error messages. A message
// never carries more than a few dozen characters of what the user gave, however
// long or deep the value is, and never fails on bytes that are not UTF-8.

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace qvc::cli {

// The value written as JSON, cut after about maxChars characters with "...".
// Arrays and objects are shown a few levels deep at most.
std::string jsonExcerpt(const nlohmann::ordered_json& value, std::size_t maxChars = 60);

// A key or other text, control characters escaped as in JSON, cut the same way.
std::string textExcerpt(std::string_view text, std::size_t maxChars = 40);

}  // namespace qvc::cli
