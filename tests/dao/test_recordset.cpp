#include <gtest/gtest.h>

#include "DaoTestSupport.h"
#include "qvc/dao/Database.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::dao {
namespace {

using rt::Value;
using test::errorNumberOf;
namespace err = rt::err;

TEST(Recordset, WalksRowsReadsFieldsByAnyCaseNameOrPositionAndRefusesWhereNoRowIs) {
    auto db = test::itemsDatabase(test::freshDir("dao", "walk") / "t.db");
    auto empty = db->OpenRecordset("SELECT * FROM tblItem WHERE 0 = 1");
    EXPECT_TRUE(empty->bof() && empty->eof());
    EXPECT_EQ(errorNumberOf([&] { empty->MoveNext(); }), err::kNoCurrentRecord);
    EXPECT_EQ(errorNumberOf([&] { empty->Edit(); }), err::kNoCurrentRecord);
    EXPECT_EQ(errorNumberOf([&] { empty->Update(); }), err::kUpdateWithoutAddNewOrEdit);
    db->Execute(
        "INSERT INTO tblItem (sName, nYear, iCount, dCost, bExempt) VALUES ('Boiler', 3, 70000, "
        "1234.5, -1); INSERT INTO tblItem (sName) VALUES ('Chiller')");
    auto rs = db->OpenRecordset("SELECT * FROM tblItem ORDER BY iItemId");
    EXPECT_EQ(rs->field("SNAME").text(), "Boiler");
    EXPECT_EQ(rs->field("nyear"), Value(int16_t{3}));
    EXPECT_EQ(rs->field("iCount"), Value(int32_t{70000}));
    EXPECT_EQ(rs->field("dCost"), Value(1234.5));
    EXPECT_EQ(rs->field(5), Value(true));
    EXPECT_EQ(errorNumberOf([&] { rs->field(6); }), err::kFieldNotFound);
    rs->MoveNext();
    EXPECT_TRUE(rs->field("nYear").isNull());
    rs->MoveNext();
    EXPECT_TRUE(rs->eof() && !rs->bof());
    EXPECT_EQ(errorNumberOf([&] { rs->field(0); }), err::kNoCurrentRecord);
    auto open = db->OpenRecordset("SELECT * FROM tblItem");
    db->Close();
    EXPECT_EQ(errorNumberOf([&] { open->field(0); }), err::kObjectClosed);
}

TEST(Recordset, AddNewShowsTheKeyAtOnceAndOnlyUpdateWritesTheRow) {
    auto db = test::itemsDatabase(test::freshDir("dao", "addnew") / "t.db");
    auto rs = db->OpenRecordset("SELECT * FROM tblItem WHERE 0 = 1");
    auto other = db->OpenRecordset("SELECT * FROM tblItem WHERE 0 = 1");
    rs->AddNew();
    other->AddNew();
    EXPECT_EQ(rs->field("iItemId"), Value(int32_t{1}));
    EXPECT_EQ(other->field("iItemId"), Value(int32_t{2})) << "two pending adds, two keys";
    rs->setField("sName", Value("Pump"));
    rs->setField("bExempt", Value(true));
    other->Update();
    rs->Update();
    // Added but never updated: dropped by AddNew, by CancelUpdate and by Close.
    for (int i = 0; i < 3; ++i) {
        rs->AddNew();
        rs->setField("sName", Value("Lost"));
        if (i == 1)
            rs->CancelUpdate();
    }
    rs->Close();
    EXPECT_EQ(db->OpenRecordset("SELECT count(*) FROM tblItem")->field(0), Value(int32_t{2}));
    // Booleans are stored as -1, as the old database engine did.
    auto raw = db->OpenRecordset("SELECT bExempt + 0 FROM tblItem WHERE sName = 'Pump'");
    EXPECT_EQ(raw->field(0), Value(int32_t{-1}));
    // A deleted key is not handed out again.
    db->Execute("DELETE FROM tblItem");
    auto again = db->OpenRecordset("SELECT * FROM tblItem WHERE 0 = 1");
    again->AddNew();
    EXPECT_EQ(again->field("iItemId"), Value(int32_t{3}));
}

TEST(Recordset, EditUpdatesTheCurrentRowOnlyWithTheDeclaredTypes) {
    auto db = test::itemsDatabase(test::freshDir("dao", "edit") / "t.db");
    db->Execute("INSERT INTO tblItem (sName, nYear) VALUES ('A', 1), ('B', 2)");
    auto rs = db->OpenRecordset("SELECT * FROM tblItem WHERE sName = 'B'");
    rs->Edit();
    EXPECT_EQ(errorNumberOf([&] { rs->setField("nYear", Value("abc")); }), err::kTypeMismatch);
    EXPECT_EQ(errorNumberOf([&] { rs->setField("nYear", Value(int32_t{70000})); }), err::kOverflow);
    EXPECT_EQ(errorNumberOf([&] { rs->setField("iItemId", Value(int32_t{5})); }),
              err::kFieldCannotBeUpdated);
    rs->setField("nYear", Value("7"));
    rs->setField("iCount", Value(-3.5));  // halves to even: -4
    rs->setField("dCost", Value());       // Empty is stored as Null
    rs->setField("bExempt", Value("True"));
    rs->Update();
    // An edit that is not updated is forgotten when the cursor moves.
    rs->Edit();
    rs->setField("nYear", Value(int16_t{9}));
    rs->MoveNext();
    auto check = db->OpenRecordset("SELECT * FROM tblItem ORDER BY sName");
    EXPECT_EQ(check->field("nYear"), Value(int16_t{1}));
    check->MoveNext();
    EXPECT_EQ(check->field("nYear"), Value(int16_t{7}));
    EXPECT_EQ(check->field("iCount"), Value(int32_t{-4}));
    EXPECT_TRUE(check->field("dCost").isNull());
    EXPECT_EQ(check->field("bExempt"), Value(true));
}

// Statements are prepared once per connection: a reuse must start afresh and see every change.
TEST(Recordset, ReusedStatementsStartAfreshAndSeeChanges) {
    auto db = test::itemsDatabase(test::freshDir("dao", "reuse") / "t.db");
    const std::string all = "SELECT * FROM tblItem ORDER BY iItemId";
    for (int i = 1; i <= 3; ++i) {
        auto rs = db->OpenRecordset(all);
        EXPECT_EQ(rs->RecordCount(), i - 1);
        rs->AddNew();
        rs->setField("sName", Value(1.25 * i));  // numbers become their text
        if (i == 1)
            rs->setField("dCost", Value(10.0));  // the same insert text later leaves it empty
        rs->Update();
    }
    {
        auto outer = db->OpenRecordset(all);
        auto inner = db->OpenRecordset(all);  // the same text while the first is in use
        EXPECT_EQ(inner->RecordCount(), 3);
        EXPECT_EQ(outer->field("dCost"), Value(10.0));
        outer->MoveNext();
        EXPECT_EQ(outer->field("sName").text(), "2.5");
        EXPECT_TRUE(outer->field("dCost").isNull());
        EXPECT_EQ(inner->field("sName").text(), "1.25");
    }
    db->Execute("-- a note\n/* and another */ ALTER TABLE tblItem ADD COLUMN sNote TEXT");
    EXPECT_EQ(db->OpenRecordset(all)->fieldCount(), 7);
    db->Execute("DROP TABLE tblItem");
    EXPECT_EQ(errorNumberOf([&] { db->OpenRecordset(all); }), err::kTableNotFound);
}

}  // namespace
}  // namespace qvc::dao
