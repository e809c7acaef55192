#pragma once
// Tokens the mutator inserts, read from a dictionary file in libFuzzer's
// format: one token a line, `"text"` or `name="text"`, with \\, \" and \xAB
// escapes; lines starting with # are comments.

#include <string>
#include <vector>

namespace qvc::fuzz {

// Throws std::runtime_error naming the file and line of a malformed entry.
std::vector<std::string> readFuzzDictionary(const std::string& path);

// One entry's token; false when the line is not an entry.
bool parseDictionaryLine(const std::string& line, std::string& token);

}  // namespace qvc::fuzz
