#pragma once
// The error record every public procedure leaves instead of letting a failure
// escape: the error number, "#", the description, then the caller's tag
// (procedure and class names in the style of that class).

#include <string>
#include <string_view>

namespace qvc {

// Call inside a catch block: the record of the exception being handled.
std::string currentErrorRecord(std::string_view tag);

// The tag style of the project component and the importer: "#proc#class#".
std::string classTag(std::string_view procedure, std::string_view className);

// Call inside a catch block: "number#description#procedure#className#" for the
// exception being handled (any exception; see rt::describeCurrentException).
std::string errorRecord(std::string_view procedure, std::string_view className);

}  // namespace qvc
