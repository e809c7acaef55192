#pragma once
// Tokens the mutator inserts, read from a dictionary file in libFuzzer's
// format: one token a line, `"text"` or `name="text"`, with \\, \" and \xAB
// escapes; lines starting with # are comments. Throws std::runtime_error
// naming the file and line of a malformed entry.
#include <string>
#include <vector>

namespace qvc::fuzz {

std::vector<std::string> readFuzzDictionary(const std::string& path);

}  // namespace qvc::fuzz
