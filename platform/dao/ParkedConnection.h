#pragma once
// A read-only connection that was closed, kept open underneath for the next
// read-only opening of the same file by the same thread. The project code
// opens and closes the project file for every public operation; a kept
// connection spares each reopening the file checks, SQLite's opening and the
// reading of the whole schema, and keeps its prepared statements.
//
// Only what is safe to reuse is kept: a connection opened read-only (not as an
// unchanging file) with no statement in use and no transaction open. It is
// taken back only for the same path naming the same file (device and inode),
// unchanged since the connection was opened (size, modification and status
// change times), and only after a fresh first read succeeds, as at any
// opening. One connection per thread is kept.

#include <sqlite3.h>
#include <sys/types.h>

#include <optional>
#include <string>
#include <unordered_map>

namespace qvc::dao {

// The file a path names when a connection is opened, and its last change: a
// kept connection is used again only when the file is the same one and nothing
// has written to it since it was opened.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modifiedNs = 0;
    long long changedNs = 0;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> identityOf(const std::string& path);

class ParkedConnection {
  public:
    using Statements = std::unordered_multimap<std::string, sqlite3_stmt*>;

    // Keeps `db` with its idle statements, closing whatever was kept before.
    // Returns false (and keeps nothing) when `db` is not fit to be kept; the
    // caller then closes it.
    static bool park(sqlite3* db, const std::string& path, FileIdentity identity, Statements& idle);
    // The kept connection for `path`, moved out with its statements, when the
    // path still names the same file and the first read succeeds; otherwise
    // nullptr (and whatever was kept is closed).
    static sqlite3* take(const std::string& path, Statements& idle);
};

}  // namespace qvc::dao
