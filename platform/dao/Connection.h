#pragma once
// The SQLite connection shared by a Database and the recordsets it opened.

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>

#include "ParkedConnection.h"

namespace qvc::dao {

class Connection {
  public:
    Connection(sqlite3* db, std::string path, bool readOnly)
        : db_(db), path_(std::move(path)), readOnly_(readOnly) {}
    ~Connection() { close(); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const;  // raises 3420 when closed
    bool isOpen() const { return db_ != nullptr; }
    bool readOnly() const { return readOnly_; }
    const std::string& path() const { return path_; }
    void close();
    // Closes the connection for its users; one opened read-only may be kept
    // underneath for the thread's next opening of the file (ParkedConnection.h).
    void closeForReuse();
    // Marks a read-only connection as one that may be kept: `identity` is the
    // file its path named when it was opened.
    void allowReuse(FileIdentity identity) { reusable_ = identity; }
    // Statements kept with a reused connection.
    void adoptStatements(ParkedConnection::Statements idle) { idle_ = std::move(idle); }

    // Autonumber keys handed out by AddNew but not yet written, per table, so
    // that two pending rows never get the same key.
    std::set<std::pair<std::string, int64_t>>& reservedKeys() { return reserved_; }

    // Prepared statements are kept by their SQL text while the connection is
    // open, because the project code runs the same few statements for every
    // row it writes. A statement in use is not in the cache; take returns
    // nullptr when no idle one is there.
    sqlite3_stmt* takeStatement(const std::string& sql);
    void returnStatement(const std::string& sql, sqlite3_stmt* stmt);
    // After a table layout change: a kept statement would report the old
    // columns until it runs again.
    void forgetStatements();

  private:
    static constexpr size_t kMaxCachedStatements = 64;

    sqlite3* db_;
    std::string path_;
    bool readOnly_;
    std::set<std::pair<std::string, int64_t>> reserved_;
    std::unordered_multimap<std::string, sqlite3_stmt*> idle_;
    std::optional<FileIdentity> reusable_;
};

// Raises the runtime error that matches SQLite's result code and message.
[[noreturn]] void throwSqliteError(sqlite3* db, int rc, const std::string& context);

// A prepared statement released on scope exit. Prepared from a bare handle it
// is finalized; taken from a connection it goes back to that connection's
// cache, reset and with its parameters cleared.
class Statement {
  public:
    Statement(sqlite3* db, const std::string& sql);
    Statement(Connection& connection, const std::string& sql);  // raises 3420 when closed
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return stmt_; }
    // The text after the first statement; only for statements prepared from a handle.
    const char* tail() const { return tail_; }

  private:
    void prepare(sqlite3* db, const std::string& sql);

    sqlite3_stmt* stmt_ = nullptr;
    const char* tail_ = nullptr;
    Connection* owner_ = nullptr;
    std::string sql_;
};

}  // namespace qvc::dao
