#pragma once
// The project database file: its schema and the creation of an empty one.

#include <string>

namespace qvc::project {

// The statements that create every table, index and trigger of a project
// database, in order.
const std::string& projectSchemaSql();

// Creates an empty project database at `path` (raises 58 when the file exists).
void createProjectDatabase(const std::string& path);

}  // namespace qvc::project
