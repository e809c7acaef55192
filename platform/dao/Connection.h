#pragma once
// The SQLite connection shared by a Database and the recordsets it opened.

#include <sqlite3.h>

#include <cstdint>
#include <set>
#include <string>

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

    // Autonumber keys handed out by AddNew but not yet written, per table, so
    // that two pending rows never get the same key.
    std::set<std::pair<std::string, int64_t>>& reservedKeys() { return reserved_; }

  private:
    sqlite3* db_;
    std::string path_;
    bool readOnly_;
    std::set<std::pair<std::string, int64_t>> reserved_;
};

// Raises the runtime error that matches SQLite's result code and message.
[[noreturn]] void throwSqliteError(sqlite3* db, int rc, const std::string& context);

// A prepared statement closed on scope exit.
class Statement {
  public:
    Statement(sqlite3* db, const std::string& sql);
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return stmt_; }
    const char* tail() const { return tail_; }

  private:
    sqlite3_stmt* stmt_ = nullptr;
    const char* tail_ = nullptr;
};

}  // namespace qvc::dao
