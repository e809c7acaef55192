#pragma once
// A database file opened through SQLite with the behaviour the component's
// statements were written for: Jet LIKE wildcards (*, ?, #, [...]) through an
// overriding like(), Booleans stored as -1/0, declared column types enforced on
// write and used to tag values on read.
//
// Opening never creates a file: a missing file raises 3024 naming the path.
// Files keep their journal mode; new files use a rollback journal, so a
// database is one self-contained file between transactions. Every connection
// waits up to the busy timeout for another connection's lock. Read-only
// opening writes nothing beside the file (no journal, no shared-memory file);
// the one exception is a hot journal left by a writer that was killed, which
// is rolled back first when the file may be written.
//
// Threading: a Database and its Recordsets belong to one thread.

#include <functional>
#include <memory>
#include <string>

#include "qvc/dao/Export.h"
#include "qvc/dao/Recordset.h"

namespace qvc::dao {

class Connection;

struct QVC_DAO_EXPORT OpenOptions {
    bool readOnly = false;
    int busyTimeoutMs = 5000;
};

class QVC_DAO_EXPORT Database {
  public:
    // REQUIRES: path names an existing SQLite database file.
    static std::shared_ptr<Database> Open(const std::string& path, OpenOptions options = {});

    // Creates a new empty database file (fails with 3204-like error when it exists).
    static std::shared_ptr<Database> Create(const std::string& path);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Runs a statement that returns rows; the rows are read at once (a keyset),
    // and rows can be added and edited when the statement reads one table.
    std::unique_ptr<Recordset> OpenRecordset(const std::string& sql);

    // Runs one or more statements that return no rows; returns the rows changed
    // by the last one.
    int Execute(const std::string& sql);

    // Groups the following changes into one transaction (one write to disk).
    // BeginTrans takes the write lock at once (waiting up to the busy timeout
    // while another connection holds it), so the transaction's reads and
    // writes see no other writer. Closing the database before CommitTrans
    // discards the changes.
    void BeginTrans();
    void CommitTrans();
    void Rollback();
    bool inTransaction() const;

    // Closes the file; later use of this object or its recordsets raises 3420.
    void Close();
    bool isOpen() const;
    bool isReadOnly() const;
    const std::string& path() const { return path_; }

    // Receives the text of every statement this thread runs through
    // OpenRecordset or Execute (for tests and tracing); empty to stop.
    using StatementObserver = std::function<void(const std::string&)>;
    static void SetStatementObserver(StatementObserver observer);

  private:
    Database(std::shared_ptr<Connection> connection, std::string path);
    std::shared_ptr<Connection> connection_;
    std::string path_;
};

}  // namespace qvc::dao
