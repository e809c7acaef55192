#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "qvc/dao/Database.h"
#include "qvc/runtime/Error.h"

namespace qvc::test {

// A fresh folder per test under the build's test output folder.
inline std::filesystem::path freshDir(const std::string& name) {
    auto dir = std::filesystem::path(QVC_TEST_OUTPUT_DIR) / "dao" / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// The error number raised by `f`, or 0 when it raises nothing.
inline int errorNumberOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const rt::Error& e) {
        return e.number();
    }
    return 0;
}

inline std::shared_ptr<dao::Database> itemsDatabase(const std::filesystem::path& file) {
    auto db = dao::Database::Create(file.string());
    db->Execute(
        "CREATE TABLE tblItem (iItemId INTEGER PRIMARY KEY AUTOINCREMENT, sName TEXT, "
        "nYear SHORT, iCount LONG, dCost DOUBLE, bExempt YESNO)");
    return db;
}

}  // namespace qvc::test
