#pragma once
// Writes a JSON document for `qvc calc --json`, and the text it writes.

#include <nlohmann/json.hpp>
#include <string>

namespace qvc::cli {

// The document indented by two, each line ended by `lineEnd`; bytes of a text
// that are not UTF-8 become U+FFFD.
std::string jsonOutputText(const nlohmann::ordered_json& doc, const char* lineEnd);

// "-" writes to standard output. A file is written through rt::Env::Default()
// beside its final name and renamed into place only when complete, so a
// failure never leaves half a document (nor damages a file of that name).
// Files have CR LF line ends, like every text file the program writes. Raises
// CommandError, naming the file, on failure.
void writeJsonOutput(const nlohmann::ordered_json& doc, const std::string& path);

}  // namespace qvc::cli
