#pragma once
// A database file opened through SQLite with the behaviour the component's
// statements were written for: Jet LIKE wildcards (*, ?, #, [...]) through an
// overriding like(), Booleans stored as -1/0, declared column types enforced on
// write and used to tag values on read.
//
// Opening never creates a file: a missing file raises 3024 naming the path.
// Read-write files are switched to WAL journaling; every connection waits up to
// the busy timeout for another connection's lock. Read-only opening writes
// nothing at all to the file or beside it (no journal, no shared-memory file).
//
// Threading: a Database and its Recordsets belong to one thread.

#include <functional>
#include <memory>
#include <string>

#include "qvc/dao/Recordset.h"

namespace qvc::dao {

class Connection;

struct OpenOptions {
    bool readOnly = false;
    int busyTimeoutMs = 5000;
};

class Database {
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
    // Closing the database before CommitTrans discards them.
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
