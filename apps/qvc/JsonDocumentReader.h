#pragma once
// Reads the JSON documents `qvc` is given. Besides bad JSON, a document is
// refused when it nests deeper than kMaxJsonDepth, gives a key twice in one
// object, or holds a number outside the range of a double (1e400). Every
// refusal names the source and the line, and the field where it is known.

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "JsonInputError.h"

namespace qvc::cli {

// A case is three levels deep (case, list, row); the limit leaves room and
// keeps every later walk over the document shallow.
constexpr int kMaxJsonDepth = 20;

// `source` names the text in messages, usually the file it came from.
nlohmann::ordered_json parseJsonText(std::string_view text, const std::string& source);

nlohmann::ordered_json readJsonFile(const std::string& path);

}  // namespace qvc::cli
