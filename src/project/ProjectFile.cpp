#include "project/ProjectFile.h"

#include <fmt/format.h>

#include <cstring>
#include <fstream>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::project {

namespace err = rt::err;

namespace {

[[noreturn]] void refuse(const std::string& path, const std::string& why) {
    throw rt::Error(err::kCannotOpenDatabase, "'" + path + "' is not a project database (" + why +
                                                  "); it was left unchanged");
}

// True when the file starts like every SQLite database file.
bool hasDatabaseHeader(const std::string& path) {
    static const char magic[] = "SQLite format 3";  // with its NUL: 16 bytes
    char header[sizeof magic] = {};
    std::ifstream in(path, std::ios::binary);
    in.read(header, sizeof header);
    return in.gcount() == sizeof header && std::memcmp(header, magic, sizeof magic) == 0;
}

int64_t pragmaValue(dao::Database& db, const char* pragma) {
    auto rs = db.OpenRecordset(std::string("PRAGMA ") + pragma);
    return rs->eof() ? 0 : static_cast<int64_t>(rs->field(0).toDouble());
}

bool hasTable(dao::Database& db, const char* table) {
    auto rs = db.OpenRecordset(std::string("SELECT count(*) FROM sqlite_master WHERE type = "
                                           "'table' AND name = '") +
                               table + "'");
    return rs->field(0).toDouble() > 0;
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

// Opens the file and reads its mark; SQLite's "not a database" and
// "malformed" failures here mean a damaged file, as its header is SQLite's.
std::shared_ptr<dao::Database> openAndReadMark(const std::string& path, bool forWrite, Mark& mark) {
    std::shared_ptr<dao::Database> db;
    try {
        db = dao::Database::Open(path, {.readOnly = !forWrite});
        mark.id = pragmaValue(*db, "application_id");
        mark.version = pragmaValue(*db, "user_version");
        mark.hasProjectTables = hasTable(*db, "tblStudy") && hasTable(*db, "tblDesignCase");
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
    std::ifstream probe(path, std::ios::binary | std::ios::ate);
    if (!probe)
        return dao::Database::Open(path);  // raises 3024 naming the path
    if (probe.tellg() == 0)
        refuse(path, "the file is empty");
    if (!hasDatabaseHeader(path))
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
