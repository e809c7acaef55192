#include "project/ProjectFile.h"

#include <fmt/format.h>

#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::project {

namespace err = rt::err;

namespace {

[[noreturn]] void refuse(const std::string& path, const std::string& why) {
    throw rt::Error(err::kCannotOpenDatabase, "'" + path + "' is not a project database (" + why +
                                                  "); it was left unchanged");
}

// What the first bytes of the file say, read through one opening of it.
struct FileStart {
    bool exists = false;
    bool empty = false;
    bool sqliteHeader = false;  // starts like every SQLite database file
};

FileStart readFileStart(const std::string& path) {
    static const char magic[] = "SQLite format 3";  // with its NUL: 16 bytes
    FileStart start;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return start;
    start.exists = true;
    char header[sizeof magic] = {};
    const ssize_t got = ::pread(fd, header, sizeof header, 0);
    ::close(fd);
    start.empty = got == 0;
    start.sqliteHeader =
        got == static_cast<ssize_t>(sizeof header) && std::memcmp(header, magic, sizeof magic) == 0;
    return start;
}

[[noreturn]] void damaged(const std::string& path, const rt::Error& e) {
    throw rt::Error(err::kCannotOpenDatabase,
                    "The project database '" + path + "' is damaged: " + e.description());
}

struct Mark {
    int64_t id = 0;
    int64_t version = 0;
    bool hasProjectTables = false;
};

// The mark and the two tables every project has, read in one statement: each
// statement outside a transaction takes and drops the file's lock, which costs
// several system calls.
constexpr const char* kMarkQuery =
    "SELECT (SELECT application_id FROM pragma_application_id),"
    " (SELECT user_version FROM pragma_user_version),"
    " (SELECT count(*) FROM sqlite_master WHERE type = 'table'"
    " AND name IN ('tblStudy', 'tblDesignCase'))";

// Opens the file and reads its mark; SQLite's "not a database" and
// "malformed" failures here mean a damaged file, as its header is SQLite's.
std::shared_ptr<dao::Database> openAndReadMark(const std::string& path, bool forWrite, Mark& mark) {
    std::shared_ptr<dao::Database> db;
    try {
        db = dao::Database::Open(path, {.readOnly = !forWrite});
        auto rs = db->OpenRecordset(kMarkQuery);
        mark.id = static_cast<int64_t>(rs->field(0).toDouble());
        mark.version = static_cast<int64_t>(rs->field(1).toDouble());
        mark.hasProjectTables = rs->field(2).toDouble() == 2;
    } catch (const rt::Error& e) {
        if (db)
            db->Close();
        if (e.number() == err::kCannotOpenDatabase)
            damaged(path, e);
        throw;
    }
    return db;
}

}  // namespace

std::shared_ptr<dao::Database> openProjectFile(const std::string& path, bool forWrite) {
    const FileStart start = readFileStart(path);
    if (!start.exists)
        return dao::Database::Open(path);  // raises 3024 naming the path
    if (start.empty)
        refuse(path, "the file is empty");
    if (!start.sqliteHeader)
        refuse(path, "it is not a database file");
    Mark mark;
    auto db = openAndReadMark(path, forWrite, mark);
    const bool marked = mark.id == kApplicationId;
    // Projects made before files were marked carry no mark; their tables tell
    // them apart from other programs' databases.
    const bool unmarkedProject = mark.id == 0 && mark.hasProjectTables;
    if (!marked && !unmarkedProject) {
        db->Close();
        refuse(path, "it belongs to another program");
    }
    if (marked && mark.version > kSchemaVersion) {
        db->Close();
        refuse(path, "it was made by a newer version of this program");
    }
    if (unmarkedProject && forWrite) {
        markProjectFile(*db);
        // One self-contained file from now on, where no one else has it open.
        try {
            db->Execute("PRAGMA journal_mode=DELETE");
        } catch (const rt::Error&) {
        }
    }
    return db;
}

void markProjectFile(dao::Database& db) {
    db.Execute(fmt::format("PRAGMA application_id = {}; PRAGMA user_version = {}", kApplicationId,
                           kSchemaVersion));
}

}  // namespace qvc::project
