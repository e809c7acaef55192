#include "ParkedConnection.h"

#include <sys/stat.h>

#include <utility>

namespace qvc::dao {

namespace {

struct Kept {
    sqlite3* db = nullptr;
    std::string path;
    FileIdentity identity;
    int schemaVersion = 0;
    ParkedConnection::Statements idle;

    void forgetStatements() {
        for (auto& [sql, stmt] : idle) {
            sqlite3_finalize(stmt);
        }
        idle.clear();
    }

    void close() {
        forgetStatements();
        if (db != nullptr) {
            sqlite3_close_v2(db);
            db = nullptr;
        }
    }
};

// The thread's kept connection. Once the thread's storage is being destroyed
// nothing more is kept (a connection closed later is closed at once).
struct ThreadKept {
    Kept kept;
    ~ThreadKept() {
        kept.close();
        destroyed() = true;
    }
    static bool& destroyed() {
        thread_local bool gone = false;
        return gone;
    }
};

Kept* threadKept() {
    if (ThreadKept::destroyed()) {
        return nullptr;
    }
    thread_local ThreadKept slot;
    return &slot.kept;
}

// Every statement of the connection is an idle (reset) one, and no
// transaction is open.
bool fitToKeep(sqlite3* db, const ParkedConnection::Statements& idle) {
    size_t statements = 0;
    for (sqlite3_stmt* s = sqlite3_next_stmt(db, nullptr); s != nullptr;
         s = sqlite3_next_stmt(db, s)) {
        ++statements;
    }
    return statements == idle.size() && sqlite3_get_autocommit(db) != 0;
}

// The first read of an opening: it takes and drops a shared lock, and fails on
// what a fresh opening would fail on (a hot journal left by a writer). Gives
// the schema version, which any change of tables or columns raises.
std::optional<int> schemaVersion(sqlite3* db) {
    sqlite3_stmt* stmt = nullptr;
    std::optional<int> version;
    if (sqlite3_prepare_v2(db, "PRAGMA schema_version", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW) {
        version = sqlite3_column_int(stmt, 0);
    }
    sqlite3_finalize(stmt);
    return version;
}

}  // namespace

std::optional<FileIdentity> identityOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    const auto ns = [](const timespec& t) { return t.tv_sec * 1000000000LL + t.tv_nsec; };
    return FileIdentity{st.st_dev, st.st_ino, st.st_size, ns(st.st_mtim), ns(st.st_ctim)};
}

bool ParkedConnection::park(sqlite3* db, const std::string& path, FileIdentity identity,
                            Statements& idle) {
    Kept* kept = threadKept();
    if (kept == nullptr || db == nullptr || !fitToKeep(db, idle)) {
        return false;
    }
    const std::optional<int> version = schemaVersion(db);
    if (!version) {
        return false;
    }
    kept->close();
    kept->schemaVersion = *version;
    kept->db = db;
    kept->path = path;
    kept->identity = identity;
    kept->idle = std::move(idle);
    idle.clear();
    return true;
}

sqlite3* ParkedConnection::take(const std::string& path, Statements& idle) {
    Kept* kept = threadKept();
    if (kept == nullptr || kept->db == nullptr) {
        return nullptr;
    }
    const std::optional<FileIdentity> now = identityOf(path);
    const std::optional<int> version = kept->path == path && now && *now == kept->identity
                                           ? schemaVersion(kept->db)
                                           : std::nullopt;
    if (!version) {
        kept->close();
        return nullptr;
    }
    // Kept statements would describe the old tables until they run again.
    if (*version != kept->schemaVersion) {
        kept->forgetStatements();
    }
    sqlite3* db = std::exchange(kept->db, nullptr);
    idle = std::move(kept->idle);
    kept->idle.clear();
    return db;
}

}  // namespace qvc::dao
