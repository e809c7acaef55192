#pragma once
// Creating the project database file that cORVProject works on.

#include <string>

#include "qvc/Export.h"

namespace qvc {

// Creates an empty project database (every table, index and key) at `path`.
// Returns an empty text on success, else the error record
// "number#description#CreateProjectDatabase#qvc#". An existing file is never
// overwritten.
QVC_EXPORT std::string CreateProjectDatabase(const std::string& path);

// The project database file inside a work folder.
QVC_EXPORT std::string ProjectDatabaseFile(const std::string& workPath);

}  // namespace qvc
