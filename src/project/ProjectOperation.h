#pragma once
// The steps every operation of cORVProject shares: empty the error text, open
// the project database, close it, and turn a failure into the error record
// "number#description#operation#cORVProject#".

#include <optional>

#include "project/WriteTransaction.h"
#include "project/cDBoperations.h"
#include "qvc/cORVProject.h"
#include "qvc/dao/Database.h"

namespace qvc {

class ProjectOperation {
  public:
    ProjectOperation(cORVProject& project, const char* name);
    // An operation that ends without close() keeps what it wrote when it
    // recorded no failure, and undoes it otherwise.
    ~ProjectOperation();

    // Opens the database for reading (or joins the thread's open write
    // transaction); false (with the error text copied) when it failed.
    bool open();
    // Opens the database for writing and makes everything the operation
    // writes one transaction (joined by the operations it calls); false with
    // the error record when the database cannot be opened or locked.
    bool openForWrite();
    // Commits the operation's writes (outermost transaction) or closes the
    // database after reading; copies a non-empty error text of the close.
    // Raises when the commit fails (call it inside the operation's try).
    void close();
    // Call inside a catch block: undoes the operation's writes and records the
    // failure under the operation's name.
    void fail();
    bool ok() const { return project_.m_sErrMsg.empty(); }
    void notifyChanged() { project_.notifyChanged(); }
    cDBoperations& db() { return project_.db(); }
    std::string& errorText() { return project_.m_sErrMsg; }
    // The open project database (raises 91 when none is open).
    dao::Database& database();

  private:
    cORVProject& project_;
    std::optional<WriteTransaction> write_;
    const char* name_;
};

}  // namespace qvc
