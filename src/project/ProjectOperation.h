#pragma once
// The steps every operation of cORVProject shares: empty the error text, open
// the project database, close it, and turn a failure into the error record
// "number#description#operation#cORVProject#".

#include "project/cDBoperations.h"
#include "qvc/cORVProject.h"
#include "qvc/dao/Database.h"

namespace qvc {

class ProjectOperation {
  public:
    ProjectOperation(cORVProject& project, const char* name);

    // Opens the database; false (with the error text copied) when it failed.
    bool open();
    // Closes the database and copies a non-empty error text of the close.
    void close();
    // Call inside a catch block: records the failure under the operation's name.
    void fail();
    bool ok() const { return project_.m_sErrMsg.empty(); }
    void notifyChanged() { project_.notifyChanged(); }
    cDBoperations& db() { return project_.db(); }
    std::string& errorText() { return project_.m_sErrMsg; }
    // The open project database (raises 91 when none is open).
    dao::Database& database();

  private:
    cORVProject& project_;
    const char* name_;
};

}  // namespace qvc
