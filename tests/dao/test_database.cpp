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

TEST(Database, FailuresCarryTheirOwnNumbersAndAMissingFileIsNeverCreated) {
    auto file = test::freshDir("dao", "failures") / "ORV30.mdb";
    EXPECT_EQ(errorNumberOf([&] { Database::Open(file.string()); }), err::kDatabaseFileNotFound);
    EXPECT_FALSE(fs::exists(file));
    std::ofstream(file) << "this is not a database file, just some text that is long enough";
    EXPECT_EQ(errorNumberOf([&] { Database::Open(file.string()); }), err::kCannotOpenDatabase);
    auto db = test::itemsDatabase(file.parent_path() / "t.db");
    EXPECT_EQ(errorNumberOf([&] { db->OpenRecordset("SELECT * FROM tblNothing"); }),
              err::kTableNotFound);
    EXPECT_EQ(errorNumberOf([&] { db->OpenRecordset("SELECT sNothing FROM tblItem"); }),
              err::kFieldNotFound);
}

long rowCount(Database& db, const std::string& table) {
    return db.OpenRecordset("SELECT COUNT(*) FROM " + table)->field(0).toInt32();
}

// A read-only opening writes nothing; reusing a closed connection it sees every later change.
TEST(Database, ReadOnlyOpeningWritesNothingAndSeesLaterChanges) {
    auto dir = test::freshDir("dao", "readonly");
    const std::string file = (dir / "Project.mdb").string();
    test::itemsDatabase(file)->Execute(
        "INSERT INTO tblItem (sName) VALUES ('A'); PRAGMA journal_mode=DELETE");
    const std::string before = fileBytes(file);
    auto reader = Database::Open(file, {.readOnly = true});
    EXPECT_EQ(errorNumberOf([&] { reader->Execute("DELETE FROM tblItem"); }),
              err::kReadOnlyDatabase);
    auto rs = reader->OpenRecordset("SELECT * FROM tblItem");
    EXPECT_EQ(rs->field("sName").text(), "A");
    EXPECT_EQ(errorNumberOf([&] { rs->AddNew(); }), err::kReadOnlyDatabase);
    reader->Close();
    EXPECT_EQ(errorNumberOf([&] { rowCount(*reader, "tblItem"); }), err::kObjectClosed);
    EXPECT_EQ(fileBytes(file), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1) << "no journal or -shm file";
    auto writer = Database::Open(file);
    writer->Execute("INSERT INTO tblItem (sName) VALUES ('B'); CREATE TABLE tblOther (iId)");
    writer->Close();
    reader = Database::Open(file, {.readOnly = true});
    EXPECT_EQ(rowCount(*reader, "tblItem"), 2);
    EXPECT_EQ(rowCount(*reader, "tblOther"), 0);
    reader->Close();
    const std::string other = (dir / "Other.mdb").string();
    test::itemsDatabase(dir / "Other.mdb")
        ->Execute("INSERT INTO tblItem (sName) VALUES ('X'), ('Y'), ('Z')");
    fs::rename(other, file);
    reader = Database::Open(file, {.readOnly = true});
    EXPECT_EQ(rowCount(*reader, "tblItem"), 3);
    EXPECT_EQ(errorNumberOf([&] { rowCount(*reader, "tblOther"); }), err::kTableNotFound);
    reader->Close();
}

TEST(Database, KeysComeFromTheInsertAndWritersWaitForEachOthersLock) {
    // The key comes from the insert itself, never from max + 1 read before it.
    auto file = test::freshDir("dao", "writers") / "t.db";
    auto first = test::itemsDatabase(file);
    auto second = Database::Open(file.string());
    auto add = first->OpenRecordset("SELECT * FROM tblItem WHERE 0 = 1");
    add->AddNew();
    add->setField("sName", Value("from first"));
    second->Execute("INSERT INTO tblItem (sName) VALUES ('from second')");
    add->Update();
    EXPECT_EQ(add->LastInsertedKey(), 2) << "the key the insert really gave";
    EXPECT_EQ(second->OpenRecordset("SELECT sName FROM tblItem WHERE iItemId = 2")->field(0).text(),
              "from first");
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
    EXPECT_EQ(rowCount(*second, "tblItem"), 4);
    // Past its timeout a writer gives up with 3260 and has written nothing.
    auto impatient = Database::Open(file.string(), {.busyTimeoutMs = 50});
    first->BeginTrans();
    EXPECT_EQ(errorNumberOf([&] { impatient->BeginTrans(); }), err::kDatabaseLocked);
    first->Rollback();
}

TEST(Database, AWriterKilledInTheMiddleLeavesTheLastCommittedRowsForAReader) {
    auto dir = test::freshDir("dao", "killed");
    auto file = dir / "t.db";
    test::itemsDatabase(file)->Execute("INSERT INTO tblItem (sName) VALUES ('committed')");
    const pid_t child = fork();
    if (child == 0) {
        // Enough rows through a tiny page cache that pages reach the file, then no commit.
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
    EXPECT_EQ(rowCount(*reader, "tblItem"), 1);
    EXPECT_EQ(reader->OpenRecordset("PRAGMA integrity_check")->field(0).text(), "ok");
    EXPECT_FALSE(fs::exists(dir / "t.db-journal"));
}

}  // namespace
}  // namespace qvc::dao
