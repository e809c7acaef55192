#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <thread>

#include "CommonTestSupport.h"
#include "common/ResourceStrings.h"
#include "common/ThreadState.h"
#include "qvc/ResManager.h"
#include "qvc/dao/Database.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc {
namespace {

namespace err = rt::err;
using test::errorNumberOf;

// A row of ResourceStrings; std::nullopt stores Null.
using Row = std::pair<std::optional<std::string>, std::optional<std::string>>;

// Creates `path` with a table of reference and working texts holding `rows`.
std::string makeResourceDb(const std::filesystem::path& path, const std::vector<Row>& rows,
                           const std::string& table = "ResourceStrings") {
    auto db = dao::Database::Create(path.string());
    std::string sql = "BEGIN; CREATE TABLE " + table + " (ReferenceText TEXT, WorkingText TEXT);";
    for (const Row& r : rows)
        sql += "INSERT INTO " + table + " VALUES (" + test::sqlLiteral(r.first) + ", " +
               test::sqlLiteral(r.second) + ");";
    db->Execute(sql + "COMMIT;");
    db->Close();
    return path.string();
}

// One row per key but `left out` with the text "<tag> <key>", in reverse assignment order.
std::vector<Row> allRows(const std::string& tag, const std::string& leftOut = "") {
    std::vector<Row> rows;
    for (const ResourceKey& k : kResourceKeys)
        if (k.name != leftOut)
            rows.push_back({std::string(k.name), tag + " " + std::string(k.name)});
    std::reverse(rows.begin(), rows.end());
    return rows;
}

void useDatabase(const std::filesystem::path& path, const std::vector<Row>& rows) {
    ResManager().SetResourceDB(makeResourceDb(path, rows));
}

size_t filledCount() {
    size_t n = 0;
    for (const ResourceKey& k : kResourceKeys)
        n += !(texts().*k.member).empty();
    return n;
}

class ResourceStrings : public ::testing::Test {
    test::ThreadStateGuard guard_;
};

// Of several elements of one key the first in document order wins; Null is an empty text.
TEST_F(ResourceStrings, EveryKeyGetsItsFirstTextTrimmed) {
    std::vector<Row> rows = {{"  gXstrNA ", "first"},
                             {"gXstrPage", std::nullopt},
                             {"gXstrLS", "L <gXstrOF>nested</gXstrOF>"},
                             {"gXstrDCColCost", "    Cost  "}};
    const std::vector<Row> all = allRows("Text of");
    rows.insert(rows.end(), all.begin(), all.end());
    rows.push_back({"gXstrUnusedExtraKey", "ignored"});
    useDatabase(test::freshDir("all") / "r.mdb", rows);
    AssignResourceStrings();
    size_t fromOwnRow = 0;
    for (const ResourceKey& k : kResourceKeys)
        fromOwnRow += texts().*k.member == "Text of " + std::string(k.name);
    EXPECT_EQ(fromOwnRow, kResourceKeyCount - 5);
    EXPECT_EQ(texts().gXstrPage, "");
    EXPECT_EQ(texts().gXstrDCColCost, "Cost");
    EXPECT_EQ(texts().gXstrNA, "first");
    EXPECT_EQ(texts().gXstrLS, "L nested");
    EXPECT_EQ(texts().gXstrOF, "nested");
}

TEST_F(ResourceStrings, LoadedOncePerThreadNeverReloadedAndEmptiedByAReset) {
    auto dir = test::freshDir("once");
    useDatabase(dir / "first.mdb", allRows("First"));
    ResManager().SetHelpFile("/help/main.html");
    AssignResourceStrings();
    // Naming another database later changes the path, not the texts.
    useDatabase(dir / "second.mdb", allRows("Second"));
    AssignResourceStrings();
    EXPECT_EQ(texts().gXstrModule, "First gXstrModule");
    std::thread worker([&] {  // another thread starts empty and loads its own texts
        EXPECT_TRUE(threadState().gHelpFile.empty() && filledCount() == 0);
        useDatabase(dir / "other.mdb", allRows("Other"));
        AssignResourceStrings();
        EXPECT_EQ(texts().gXstrNA, "Other gXstrNA");
        resetThreadState();
    });
    worker.join();
    EXPECT_EQ(texts().gXstrNA, "First gXstrNA");
    EXPECT_EQ(threadState().gHelpFile, "/help/main.html");
    resetThreadState();
    EXPECT_FALSE(threadState().gStringsLoaded);
    EXPECT_EQ(filledCount(), 0u);
}

TEST_F(ResourceStrings, DatabaseFailuresAssignNothingAndAllowARetry) {
    auto dir = test::freshDir("dbfail");
    std::ofstream(dir / "notes.mdb") << "plain text, not a database file of any kind at all";
    const std::pair<std::string, int> failures[] = {
        {"", err::kDatabaseFileNotFound},
        {makeResourceDb(dir / "t.mdb", allRows("X"), "Strings"), err::kTableNotFound},
        {(dir / "notes.mdb").string(), err::kCannotOpenDatabase}};
    for (const auto& [path, error] : failures) {
        ResManager().SetResourceDB(path);
        EXPECT_EQ(errorNumberOf([] { AssignResourceStrings(); }), error) << path;
    }
    EXPECT_FALSE(threadState().gStringsLoaded);
    EXPECT_EQ(filledCount(), 0u);
    useDatabase(dir / "good.mdb", allRows("Good"));
    AssignResourceStrings();
    EXPECT_TRUE(threadState().gStringsLoaded);
    EXPECT_EQ(filledCount(), kResourceKeyCount);
}

TEST_F(ResourceStrings, AMissingKeyOrIllFormedMarkupFillsTheKeysBeforeItOnly) {
    auto dir = test::freshDir("missing");
    // gXstrITRate is the 11th key: the ten before it are filled, none after it.
    useDatabase(dir / "r.mdb", allRows("M", "gXstrITRate"));
    try {
        AssignResourceStrings();
        FAIL() << "a missing key must fail";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), err::kObjectNotSet);
        EXPECT_NE(e.description().find("'gXstrITRate'"), std::string::npos) << e.description();
    }
    EXPECT_FALSE(threadState().gStringsLoaded);
    EXPECT_EQ(filledCount(), 10u);
    EXPECT_EQ(texts().gXstrMinROI, "M gXstrMinROI");
    EXPECT_EQ(texts().gXstrMITRate, "");
    // Ill-formed markup assigns nothing more and keeps the earlier texts.
    const Row broken[] = {
        {"gXstrNote", "a < b"}, {"gXstrNote", "Heating &nbsp; Cooling"}, {std::nullopt, "text"}};
    for (size_t i = 0; i < std::size(broken); ++i) {
        SCOPED_TRACE(i);
        auto rows = allRows("B");
        rows.push_back(broken[i]);
        useDatabase(dir / ("broken" + std::to_string(i) + ".mdb"), rows);
        EXPECT_EQ(errorNumberOf([] { AssignResourceStrings(); }), err::kXmlParse);
        EXPECT_FALSE(threadState().gStringsLoaded);
        EXPECT_EQ(filledCount(), 10u);
        EXPECT_EQ(texts().gXstrLS, "M gXstrLS");
    }
}

}  // namespace
}  // namespace qvc
