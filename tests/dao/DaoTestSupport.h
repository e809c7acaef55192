#pragma once
#include <filesystem>
#include <string>

#include "TestSupport.h"
#include "qvc/dao/Database.h"

namespace qvc::test {

inline std::shared_ptr<dao::Database> itemsDatabase(const std::filesystem::path& file) {
    auto db = dao::Database::Create(file.string());
    db->Execute(
        "CREATE TABLE tblItem (iItemId INTEGER PRIMARY KEY AUTOINCREMENT, sName TEXT, "
        "nYear SHORT, iCount LONG, dCost DOUBLE, bExempt YESNO)");
    return db;
}

}  // namespace qvc::test
