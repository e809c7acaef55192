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

    ~ProjectOperation();

    // Opens the database; false (with the error text copied) when it failed.
    bool open();
    // Opens the database and groups the operation's writes into one
    // transaction; rows saved before a failure are still kept (see fail()).
    bool openForBatch();
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

    // Commits the batch's writes (close() and fail() do this themselves).
    void commitBatch();

  private:
    cORVProject& project_;
    bool batch_ = false;
    const char* name_;
};

}  // namespace qvc
