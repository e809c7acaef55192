#include "Connection.h"

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::dao {

namespace err = rt::err;

sqlite3* Connection::handle() const {
    if (db_ == nullptr)
        throw rt::Error(err::kObjectClosed, "Object invalid or no longer set");
    return db_;
}

void Connection::close() {
    forgetStatements();
    if (db_ != nullptr) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
    reserved_.clear();
}

void Connection::closeForReuse() {
    if (db_ != nullptr && reusable_ && ParkedConnection::park(db_, path_, *reusable_, idle_)) {
        db_ = nullptr;
        reserved_.clear();
        return;
    }
    close();
}

sqlite3_stmt* Connection::takeStatement(const std::string& sql) {
    auto it = idle_.find(sql);
    if (it == idle_.end())
        return nullptr;
    sqlite3_stmt* stmt = it->second;
    idle_.erase(it);
    return stmt;
}

void Connection::returnStatement(const std::string& sql, sqlite3_stmt* stmt) {
    if (db_ == nullptr || idle_.size() >= kMaxCachedStatements) {
        sqlite3_finalize(stmt);
        return;
    }
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    idle_.emplace(sql, stmt);
}

void Connection::forgetStatements() {
    for (auto& [sql, stmt] : idle_)
        sqlite3_finalize(stmt);
    idle_.clear();
}

void throwSqliteError(sqlite3* db, int rc, const std::string& context) {
    std::string msg = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    int primary = rc & 0xff;
    auto startsWith = [&](const char* prefix) { return msg.rfind(prefix, 0) == 0; };
    if (startsWith("no such table")) {
        throw rt::Error(err::kTableNotFound,
                        "The database engine cannot find the input table or query (" + msg + ")");
    }
    if (startsWith("no such column")) {
        throw rt::Error(err::kFieldNotFound, "Item not found in this collection (" + msg + ")");
    }
    if (primary == SQLITE_READONLY) {
        throw rt::Error(err::kReadOnlyDatabase, "Cannot update. Database or object is read-only");
    }
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) {
        throw rt::Error(err::kDatabaseLocked,
                        "The database is locked by another user (" + msg + ")");
    }
    if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT) {
        throw rt::Error(err::kCannotOpenDatabase,
                        "The file is not a database or is damaged (" + msg + ")");
    }
    if (primary == SQLITE_CANTOPEN) {
        throw rt::Error(err::kDatabaseFileNotFound,
                        "Could not open the database file (" + msg + ")");
    }
    if (primary == SQLITE_ERROR && (msg.find("syntax error") != std::string::npos ||
                                    msg.find("incomplete input") != std::string::npos)) {
        throw rt::Error(err::kSyntaxError, "Syntax error in the statement: " + context);
    }
    throw rt::Error(err::kDatabaseError, msg + (context.empty() ? "" : " in: " + context));
}

Statement::Statement(sqlite3* db, const std::string& sql) {
    prepare(db, sql);
}

Statement::Statement(Connection& connection, const std::string& sql) {
    sqlite3* db = connection.handle();
    stmt_ = connection.takeStatement(sql);
    if (stmt_ == nullptr)
        prepare(db, sql);
    // Only whole single statements are worth keeping (an empty text gives none).
    if (stmt_ != nullptr && (tail_ == nullptr || *tail_ == '\0')) {
        owner_ = &connection;
        sql_ = sql;
    }
    tail_ = nullptr;
}

Statement::~Statement() {
    if (owner_ != nullptr && stmt_ != nullptr)
        owner_->returnStatement(sql_, stmt_);
    else
        sqlite3_finalize(stmt_);
}

void Statement::prepare(sqlite3* db, const std::string& sql) {
    int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, &tail_);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        throwSqliteError(db, rc, sql);
    }
}

}  // namespace qvc::dao
