#pragma once
// The folder the report documents and the text cash flow file are written to.

#include <string>

namespace qvc::reports {

// The host's output folder (ui::Services::outputFolder) when it named one, so
// that a run writes nothing beside the project database (whose folder may be
// read-only, and may hold the user's own files of the same names); otherwise
// `fallback`, the work folder the host set.
std::string reportFolder(const std::string& fallback);

}  // namespace qvc::reports
