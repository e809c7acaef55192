#pragma once
// A cORVProject pointed at a project folder, with the checks every command
// needs: the folder holds a project, IDs fit, and component errors become
// messages on stderr.

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "qvc/cORVProject.h"

namespace qvc::cli {

// The file name of a project's resource database beside ORV30.mdb.
inline constexpr const char* kResourceDbName = "QVCStrings.mdb";

// A failure a command reports to the user; main prints it and exits 1.
class CommandError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class ProjectSession {
  public:
    explicit ProjectSession(const std::string& dir);
    cORVProject& project() { return *project_; }
    // Raises CommandError with the component's error text when the last
    // operation failed.
    void check(const std::string& what);
    // The study, or CommandError when there is none with that ID.
    cStudy study(int studyId);
    // The case filled from the database, with the study's type, life cycle and ID.
    cDesignCase designCase(int studyId, int caseId);

  private:
    // Names the resource database and help page before the project object,
    // which loads the texts, is created.
    bool resourcesNamed_;
    std::unique_ptr<cORVProject> project_;
};

int16_t toId(int id, const char* what);

// The resource database a project folder uses: its own copy (made by `qvc
// init`) when there is one, else the one built with qvc.
std::string resourceDbFor(const std::string& dir);
// Names that database and the help page through ResManager; true when the
// database exists.
bool nameResources(const std::string& dir);

}  // namespace qvc::cli
