#pragma once
// Scratch folders and small resource databases built row by row.

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "common/ThreadState.h"
#include "qvc/dao/Database.h"

namespace qvc::test {

inline std::filesystem::path freshDir(const std::string& name) {
    return freshDir("common", name);
}

// A row of ResourceStrings; std::nullopt stores Null.
using Row = std::pair<std::optional<std::string>, std::optional<std::string>>;

// Creates `path` with a table of reference and working texts holding `rows`.
inline std::string makeResourceDb(const std::filesystem::path& path, const std::vector<Row>& rows,
                                  const std::string& table = "ResourceStrings",
                                  const std::string& textColumn = "WorkingText") {
    auto db = dao::Database::Create(path.string());
    std::string sql =
        "BEGIN; CREATE TABLE " + table + " (ReferenceText TEXT, " + textColumn + " TEXT);";
    for (const Row& r : rows)
        sql += "INSERT INTO " + table + " VALUES (" + sqlLiteral(r.first) + ", " +
               sqlLiteral(r.second) + ");";
    db->Execute(sql + "COMMIT;");
    db->Close();
    return path.string();
}

class ThreadStateGuard {
  public:
    ThreadStateGuard() { resetThreadState(); }
    ~ThreadStateGuard() { resetThreadState(); }
};

}  // namespace qvc::test
