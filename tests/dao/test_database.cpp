#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

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

TEST(Database, KeysComeFromTheInsertAndWritersWaitForEachOthersLock) {
    // Reproducer: keys taken as max + 1 before the insert let two processes
    // file rows under one key, and "database is locked" came after 0.1 s
    // despite the 5 s busy timeout.
    auto file = test::freshDir("writers") / "t.db";
    auto first = test::itemsDatabase(file);
    auto second = Database::Open(file.string());
    auto add = first->OpenRecordset("SELECT * FROM tblItem WHERE 0 = 1");
    add->AddNew();
    EXPECT_EQ(add->field("iItemId").toInt32(), 1) << "the key the row would get";
    add->setField("sName", Value("from first"));
    second->Execute("INSERT INTO tblItem (sName) VALUES ('from second')");
    add->Update();
    EXPECT_EQ(add->LastInsertedKey(), 2) << "the key the insert really gave";
    auto rs = second->OpenRecordset("SELECT sName FROM tblItem ORDER BY iItemId");
    EXPECT_EQ(rs->field(0).text(), "from second");
    rs->MoveNext();
    EXPECT_EQ(rs->field(0).text(), "from first");

    // A writer waits while another one holds the lock, then goes on.
    using namespace std::chrono_literals;
    first->BeginTrans();
    first->Execute("INSERT INTO tblItem (sName) VALUES ('held')");
    const auto start = std::chrono::steady_clock::now();
    std::thread holder([&] {
        std::this_thread::sleep_for(300ms);
        first->CommitTrans();
    });
    second->BeginTrans();
    const auto waited = std::chrono::steady_clock::now() - start;
    second->Execute("INSERT INTO tblItem (sName) VALUES ('after')");
    second->CommitTrans();
    holder.join();
    EXPECT_GE(waited, 250ms);
    EXPECT_EQ(second->OpenRecordset("SELECT count(*) FROM tblItem")->field(0).toInt32(), 4);

    // Past its timeout a writer gives up with 3260 and has written nothing.
    auto impatient = Database::Open(file.string(), {.busyTimeoutMs = 50});
    first->BeginTrans();
    EXPECT_EQ(errorNumberOf([&] { impatient->BeginTrans(); }), err::kDatabaseLocked);
    first->Rollback();
}

TEST(Database, AWriterKilledInTheMiddleLeavesTheLastCommittedRowsForAReader) {
    // Reproducer: after kill -9 of a writer, a read-only opening must still
    // work and must not see the half-written transaction.
    auto dir = test::freshDir("killed");
    auto file = dir / "t.db";
    test::itemsDatabase(file)->Execute("INSERT INTO tblItem (sName) VALUES ('committed')");
    const pid_t child = fork();
    if (child == 0) {
        // Enough rows through a tiny page cache that pages reach the file
        // before the commit, then gone without one.
        auto db = Database::Open(file.string());
        db->Execute("PRAGMA cache_size = 2");
        db->BeginTrans();
        for (int i = 0; i < 300; ++i)
            db->Execute("INSERT INTO tblItem (sName) VALUES (printf('%.2000c', 'x'))");
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(fs::exists(dir / "t.db-journal")) << "the killed writer left its journal";
    auto reader = Database::Open(file.string(), {.readOnly = true});
    EXPECT_EQ(reader->OpenRecordset("SELECT count(*) FROM tblItem")->field(0).toInt32(), 1);
    EXPECT_EQ(reader->OpenRecordset("PRAGMA integrity_check")->field(0).text(), "ok");
    EXPECT_FALSE(fs::exists(dir / "t.db-journal"));
}

}  // namespace
}  // namespace qvc::dao

namespace qvc::dao {
namespace {

long rowCount(Database& db, const std::string& table) {
    auto rs = db.OpenRecordset("SELECT COUNT(*) AS n FROM " + table);
    return static_cast<long>(rs->field("n").toDouble());
}

// A read-only opening may get the connection the thread closed before; it must
// still see every change made since (rows, tables, columns) and a file put in
// the old one's place, and the closed database stays closed for its users.
TEST(Database, ReadOnlyReopeningSeesChangesAndReplacedFiles) {
    auto dir = test::freshDir("reopen");
    const std::string file = (dir / "Project.mdb").string();
    {
        auto db = test::itemsDatabase(dir / "Project.mdb");
        db->Execute("INSERT INTO tblItem (sName) VALUES ('A')");
        db->Close();
    }
    auto reader = Database::Open(file, {.readOnly = true});
    auto open = reader->OpenRecordset("SELECT sName FROM tblItem");
    EXPECT_EQ(rowCount(*reader, "tblItem"), 1);
    reader->Close();
    EXPECT_EQ(errorNumberOf([&] { rowCount(*reader, "tblItem"); }), err::kObjectClosed);

    auto writer = Database::Open(file);
    writer->Execute("INSERT INTO tblItem (sName) VALUES ('B')");
    writer->Execute("ALTER TABLE tblItem ADD COLUMN sNote TEXT");
    writer->Execute("UPDATE tblItem SET sNote = 'new' WHERE sName = 'B'");
    writer->Execute("CREATE TABLE tblOther (iId INTEGER PRIMARY KEY)");
    writer->Close();

    reader = Database::Open(file, {.readOnly = true});
    EXPECT_EQ(rowCount(*reader, "tblItem"), 2);
    EXPECT_EQ(rowCount(*reader, "tblOther"), 0);
    auto rs = reader->OpenRecordset("SELECT * FROM tblItem WHERE sName = 'B'");
    EXPECT_EQ(rs->field("sNote").text(), "new");
    reader->Close();

    // Another file renamed over the path.
    const std::string other = (dir / "Other.mdb").string();
    {
        auto db = test::itemsDatabase(dir / "Other.mdb");
        for (const char* name : {"X", "Y", "Z"})
            db->Execute(std::string("INSERT INTO tblItem (sName) VALUES ('") + name + "')");
        db->Close();
    }
    fs::rename(other, file);
    reader = Database::Open(file, {.readOnly = true});
    EXPECT_EQ(rowCount(*reader, "tblItem"), 3);
    EXPECT_EQ(errorNumberOf([&] { rowCount(*reader, "tblOther"); }), err::kTableNotFound);
    reader->Close();
}

}  // namespace
}  // namespace qvc::dao
