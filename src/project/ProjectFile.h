#pragma once
// Opening the project database file: telling a project from any other file
// before anything is written to it, and marking new projects as such.

#include <memory>
#include <string>

#include "qvc/dao/Database.h"

namespace qvc::project {

// What the file header carries for a project database: the application ID
// ("QVC1") and the version of its tables.
inline constexpr int32_t kApplicationId = 0x51564331;
inline constexpr int32_t kSchemaVersion = 1;

// Opens the project database at `path`. A file that is not a project database
// (not SQLite, empty, another program's tables, a newer table version) is
// refused by name and left exactly as it was; a damaged one is reported as
// damaged. Opened for writing, a project made before files were marked gets
// its mark. Raises rt::Error 3024 (no file) or 3049 (not a project, damaged).
std::shared_ptr<dao::Database> openProjectFile(const std::string& path, bool forWrite);

// Marks a new, empty database as a project database of the current version.
void markProjectFile(dao::Database& db);

}  // namespace qvc::project
