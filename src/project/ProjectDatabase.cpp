#include "qvc/ProjectDatabase.h"

#include "common/ErrorRecord.h"
#include "project/ProjectSchema.h"
#include "project/cDBoperations.h"

namespace qvc {

std::string CreateProjectDatabase(const std::string& path) {
    try {
        project::createProjectDatabase(path);
        return {};
    } catch (...) {
        return currentErrorRecord(classTag("CreateProjectDatabase", "qvc"));
    }
}

std::string ProjectDatabaseFile(const std::string& workPath) {
    return cDBoperations::projectFile(workPath);
}

}  // namespace qvc
