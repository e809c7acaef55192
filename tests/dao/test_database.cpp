#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "DaoTestSupport.h"
#include "qvc/dao/Database.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::dao {
namespace {

using rt::Value;
using test::errorNumberOf;
namespace err = rt::err;
namespace fs = std::filesystem;

std::string fileBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(Database, MissingFileIsReportedWithItsPathAndNeverCreated) {
    auto file = test::freshDir("missing") / "ORV30.mdb";
    try {
        Database::Open(file.string());
        FAIL() << "opening a missing file must fail";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), err::kDatabaseFileNotFound);
        EXPECT_NE(e.description().find(file.string()), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(errorNumberOf([&] { Database::Open(file.string(), {.readOnly = true}); }),
              err::kDatabaseFileNotFound);

    auto notDb = file.parent_path() / "notes.mdb";
    std::ofstream(notDb) << "this is not a database file, just some text that is long enough";
    EXPECT_EQ(errorNumberOf([&] { Database::Open(notDb.string()); }), err::kCannotOpenDatabase);
}

TEST(Database, StatementFailuresCarryTheirOwnNumbers) {
    auto db = test::itemsDatabase(test::freshDir("failures") / "t.db");
    EXPECT_EQ(errorNumberOf([&] { db->OpenRecordset("SELECT * FROM tblNothing"); }),
              err::kTableNotFound);
    EXPECT_EQ(errorNumberOf([&] { db->OpenRecordset("SELECT sNothing FROM tblItem"); }),
              err::kFieldNotFound);
    EXPECT_EQ(errorNumberOf([&] { db->OpenRecordset("SELEC * FROM tblItem"); }), err::kSyntaxError);
    EXPECT_EQ(errorNumberOf([&] { db->Execute("DELETE FROM tblNothing WHERE x = 1"); }),
              err::kTableNotFound);
    EXPECT_EQ(
        db->Execute(
            "INSERT INTO tblItem (sName) VALUES ('a'); INSERT INTO tblItem (sName) VALUES ('b')"),
        1);
}

TEST(Database, LikeUsesJetWildcardsWithoutRegardToCase) {
    auto db = test::itemsDatabase(test::freshDir("like") / "t.db");
    db->Execute(
        "INSERT INTO tblItem (sName) VALUES ('Equipment 1'), ('equipment-fan'), ('Electricity'), "
        "('Gas%'), ('0'), (','), ('2'), ('A1'), ('AB')");
    auto count = [&](const std::string& where) {
        auto rs = db->OpenRecordset("SELECT count(*) AS n FROM tblItem WHERE " + where);
        return rs->field("n").toInt32();
    };
    EXPECT_EQ(count("sName LIKE 'Equipment*'"), 2);
    EXPECT_EQ(count("sName NOT LIKE 'Equipment*'"), 7);
    EXPECT_EQ(count("sName LIKE 'Gas%'"), 1);  // % is an ordinary character here
    EXPECT_EQ(count("sName LIKE '[0,1]'"), 2);
    EXPECT_EQ(count("sName LIKE 'A#'"), 1);
    EXPECT_EQ(count("sName LIKE 'A?'"), 2);
    EXPECT_EQ(count("sName LIKE '[!0-9,]*'"), 6);
}

TEST(Database, ReadOnlyOpeningRefusesWritesAndLeavesTheFileUntouched) {
    auto dir = test::freshDir("readonly");
    auto file = dir / "Project.mdb";
    {
        auto db = test::itemsDatabase(file);
        db->Execute("INSERT INTO tblItem (sName) VALUES ('A')");
        db->Execute("PRAGMA journal_mode=DELETE");
        db->Close();
    }
    std::string before = fileBytes(file);
    auto db = Database::Open(file.string(), {.readOnly = true});
    EXPECT_TRUE(db->isReadOnly());
    EXPECT_EQ(errorNumberOf([&] { db->Execute("DELETE FROM tblItem"); }), err::kReadOnlyDatabase);
    auto rs = db->OpenRecordset("SELECT * FROM tblItem");
    EXPECT_EQ(rs->field("sName").text(), "A");
    EXPECT_EQ(errorNumberOf([&] { rs->Edit(); }), err::kReadOnlyDatabase);
    EXPECT_EQ(errorNumberOf([&] { rs->AddNew(); }), err::kReadOnlyDatabase);
    db->Close();
    EXPECT_EQ(fileBytes(file), before);
    size_t files = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(dir))
        ++files;
    EXPECT_EQ(files, 1u) << "no journal or shared-memory file beside a read-only database";
}

TEST(Database, TwoConnectionsOnOneFileSeeEachOthersRows) {
    auto file = test::freshDir("twoconn") / "t.db";
    auto first = test::itemsDatabase(file);
    auto second = Database::Open(file.string());
    auto add = first->OpenRecordset("SELECT * FROM tblItem WHERE 0 = 1");
    add->AddNew();
    add->setField("sName", Value("from first"));
    add->Update();
    auto rs = second->OpenRecordset("SELECT * FROM tblItem");
    ASSERT_FALSE(rs->eof());
    EXPECT_EQ(rs->field("sName").text(), "from first");
    second->Execute("UPDATE tblItem SET sName = 'from second'");
    auto back = first->OpenRecordset("SELECT sName FROM tblItem");
    EXPECT_EQ(back->field(0).text(), "from second");
}

}  // namespace
}  // namespace qvc::dao
