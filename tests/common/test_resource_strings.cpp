#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <thread>

#include "CommonTestSupport.h"
#include "common/ResourceStrings.h"
#include "common/ThreadState.h"
#include "qvc/ResManager.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc {
namespace {

namespace err = rt::err;
using test::Row;

// One row per key with the text "<tag> <key>", in reverse assignment order so
// that nothing depends on the row order.
std::vector<Row> allRows(const std::string& tag) {
    std::vector<Row> rows;
    for (const ResourceKey& k : kResourceKeys)
        rows.push_back({std::string(k.name), tag + " " + std::string(k.name)});
    std::reverse(rows.begin(), rows.end());
    return rows;
}

std::vector<Row> without(std::vector<Row> rows, const std::string& key) {
    std::erase_if(rows, [&](const Row& r) { return r.first == key; });
    return rows;
}

void useDatabase(const std::string& path) {
    ResManager().SetResourceDB(path);
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

TEST_F(ResourceStrings, MarkupTextIsBuiltFromTrimmedRowsWithCrLf) {
    auto dir = test::freshDir("markup");
    useDatabase(test::makeResourceDb(
        dir / "r.mdb",
        {{"  gXstrNA ", "   N/A  "}, {"gXstrPage", std::nullopt}, {"gXstrOF", "of  the"}}));
    EXPECT_EQ(LoadResourceStrings(),
              "<XML><gXstrNA>N/A</gXstrNA>\r\n<gXstrPage></gXstrPage>\r\n"
              "<gXstrOF>of  the</gXstrOF>\r\n</XML>");

    useDatabase(test::makeResourceDb(dir / "empty.mdb", {}));
    EXPECT_EQ(LoadResourceStrings(), "<XML></XML>");
    // Every lookup in an empty table fails, starting with the first key.
    try {
        AssignResourceStrings();
        FAIL() << "an empty table cannot fill the texts";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), err::kObjectNotSet);
        EXPECT_NE(e.description().find("'gXstrLS'"), std::string::npos) << e.description();
    }
    EXPECT_FALSE(threadState().gStringsLoaded);
}

TEST_F(ResourceStrings, EveryKeyGetsItsOwnTextTrimmed) {
    auto rows = allRows("Text of");
    rows.push_back({"gXstrUnusedExtraKey", "ignored"});
    for (Row& r : rows) {
        if (r.first == "gXstrDCColCost")
            r.second = "    Cost  ";
    }
    useDatabase(test::makeResourceDb(test::freshDir("all") / "r.mdb", rows));
    AssignResourceStrings();
    EXPECT_TRUE(threadState().gStringsLoaded);
    for (const ResourceKey& k : kResourceKeys) {
        if (k.name != "gXstrDCColCost") {
            EXPECT_EQ(texts().*k.member, "Text of " + std::string(k.name));
        }
    }
    EXPECT_EQ(texts().gXstrDCColCost, "Cost");
    EXPECT_EQ(&texts(), &threadState().res);
}

TEST_F(ResourceStrings, LoadedOncePerThreadAndNeverReloaded) {
    auto dir = test::freshDir("once");
    const std::string first = test::makeResourceDb(dir / "first.mdb", allRows("First"));
    const std::string second = test::makeResourceDb(dir / "second.mdb", allRows("Second"));
    useDatabase(first);
    AssignResourceStrings();
    EXPECT_EQ(texts().gXstrNA, "First gXstrNA");

    // Naming another database later changes the path, not the texts.
    useDatabase(second);
    EXPECT_EQ(threadState().gResourceDB, second);
    AssignResourceStrings();
    EXPECT_EQ(texts().gXstrNA, "First gXstrNA");
    EXPECT_EQ(texts().gXstrModule, "First gXstrModule");

    // Even a database that is gone by now is not opened again.
    std::filesystem::remove(second);
    EXPECT_EQ(test::errorNumberOf([] { AssignResourceStrings(); }), 0);
    EXPECT_EQ(test::errorNumberOf([] { LoadResourceStrings(); }), err::kDatabaseFileNotFound);
}

TEST_F(ResourceStrings, EachThreadHasItsOwnPathsAndTexts) {
    auto dir = test::freshDir("threads");
    const std::string mainDb = test::makeResourceDb(dir / "main.mdb", allRows("Main"));
    const std::string otherDb = test::makeResourceDb(dir / "other.mdb", allRows("Other"));
    useDatabase(mainDb);
    ResManager().SetHelpFile("/help/main.html");
    AssignResourceStrings();

    bool startedEmpty = false;
    std::string otherText;
    std::thread worker([&] {
        const ThreadState& s = threadState();
        startedEmpty =
            !s.gStringsLoaded && s.gResourceDB.empty() && s.gHelpFile.empty() && filledCount() == 0;
        // Without a path of its own the thread cannot load anything.
        bool failed =
            test::errorNumberOf([] { AssignResourceStrings(); }) == err::kDatabaseFileNotFound;
        useDatabase(otherDb);
        AssignResourceStrings();
        otherText = failed ? texts().gXstrNA : "loading without a path did not fail";
        resetThreadState();
    });
    worker.join();
    EXPECT_TRUE(startedEmpty);
    EXPECT_EQ(otherText, "Other gXstrNA");
    EXPECT_EQ(texts().gXstrNA, "Main gXstrNA");
    EXPECT_EQ(threadState().gResourceDB, mainDb);
    EXPECT_EQ(threadState().gHelpFile, "/help/main.html");
}

TEST_F(ResourceStrings, DatabaseFailuresAssignNothingAndAllowARetry) {
    auto dir = test::freshDir("dbfail");
    const auto path = dir / "r.mdb";

    useDatabase("");
    EXPECT_EQ(test::errorNumberOf([] { AssignResourceStrings(); }), err::kDatabaseFileNotFound);
    useDatabase(path.string());
    EXPECT_EQ(test::errorNumberOf([] { AssignResourceStrings(); }), err::kDatabaseFileNotFound);
    EXPECT_FALSE(std::filesystem::exists(path)) << "opening must not create the file";

    test::makeResourceDb(path, allRows("X"), "Strings (ReferenceText TEXT, WorkingText TEXT)",
                         "Strings (ReferenceText, WorkingText)");
    EXPECT_EQ(test::errorNumberOf([] { AssignResourceStrings(); }), err::kTableNotFound);

    const auto noColumn = dir / "nocolumn.mdb";
    test::makeResourceDb(noColumn, allRows("X"), "ResourceStrings (ReferenceText TEXT, Txt TEXT)",
                         "ResourceStrings (ReferenceText, Txt)");
    useDatabase(noColumn.string());
    EXPECT_EQ(test::errorNumberOf([] { AssignResourceStrings(); }), err::kFieldNotFound);

    const auto notDb = dir / "notes.mdb";
    std::ofstream(notDb) << "plain text, not a database file of any kind at all, really";
    useDatabase(notDb.string());
    EXPECT_EQ(test::errorNumberOf([] { AssignResourceStrings(); }), err::kCannotOpenDatabase);

    EXPECT_FALSE(threadState().gStringsLoaded);
    EXPECT_EQ(filledCount(), 0u);

    // The next attempt with a good database succeeds.
    useDatabase(test::makeResourceDb(dir / "good.mdb", allRows("Good")));
    AssignResourceStrings();
    EXPECT_TRUE(threadState().gStringsLoaded);
    EXPECT_EQ(filledCount(), kResourceKeyCount);
}

TEST_F(ResourceStrings, MissingKeyFillsTheKeysBeforeItOnly) {
    auto dir = test::freshDir("missing");
    // gXstrITRate is the 11th key: the ten before it are filled, none after it.
    useDatabase(test::makeResourceDb(dir / "r.mdb", without(allRows("M"), "gXstrITRate")));
    try {
        AssignResourceStrings();
        FAIL() << "a missing key must fail";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), err::kObjectNotSet);
        EXPECT_NE(e.description().find("'gXstrITRate'"), std::string::npos) << e.description();
    }
    EXPECT_FALSE(threadState().gStringsLoaded);
    EXPECT_EQ(filledCount(), 10u);
    EXPECT_EQ(texts().gXstrLS, "M gXstrLS");
    EXPECT_EQ(texts().gXstrMinROI, "M gXstrMinROI");
    EXPECT_EQ(texts().gXstrMITRate, "");
    EXPECT_EQ(texts().gXstrModule, "");

    // The last key missing: all others filled, still not loaded.
    useDatabase(
        test::makeResourceDb(dir / "last.mdb", without(allRows("L"), "gXstrInvalidValueRange")));
    EXPECT_EQ(test::errorNumberOf([] { AssignResourceStrings(); }), err::kObjectNotSet);
    EXPECT_EQ(filledCount(), kResourceKeyCount - 1);
    EXPECT_EQ(texts().gXstrInvalidValueAt, "L gXstrInvalidValueAt");
    EXPECT_FALSE(threadState().gStringsLoaded);
}

TEST_F(ResourceStrings, IllFormedMarkupAssignsNothingMoreAndKeepsEarlierTexts) {
    auto dir = test::freshDir("illformed");
    // A partial first attempt leaves the first ten keys filled.
    useDatabase(test::makeResourceDb(dir / "partial.mdb", without(allRows("P"), "gXstrITRate")));
    EXPECT_EQ(test::errorNumberOf([] { AssignResourceStrings(); }), err::kObjectNotSet);

    const std::vector<std::pair<std::string, std::vector<Row>>> broken = {
        {"lt",
         [] {
             auto rows = allRows("B");
             rows.push_back({"gXstrNote", "a < b"});
             return rows;
         }()},
        {"amp",
         [] {
             auto rows = allRows("B");
             rows[5].second = "Heating & Cooling";
             return rows;
         }()},
        {"entity",
         [] {
             auto rows = allRows("B");
             rows[7].second = "Heating &nbsp; Cooling";
             return rows;
         }()},
        {"badname",
         [] {
             auto rows = allRows("B");
             rows.push_back({"1st key", "text"});
             return rows;
         }()},
        {"nullkey",
         [] {
             auto rows = allRows("B");
             rows.push_back({std::nullopt, "text"});
             return rows;
         }()},
    };
    for (const auto& [name, rows] : broken) {
        SCOPED_TRACE(name);
        useDatabase(test::makeResourceDb(dir / (name + ".mdb"), rows));
        EXPECT_EQ(test::errorNumberOf([] { AssignResourceStrings(); }), err::kXmlParse);
        EXPECT_FALSE(threadState().gStringsLoaded);
        EXPECT_EQ(filledCount(), 10u);
        EXPECT_EQ(texts().gXstrLS, "P gXstrLS");
        EXPECT_EQ(texts().gXstrNA, "");
    }

    // Escaped references are well-formed and decoded.
    auto rows = allRows("G");
    for (Row& r : rows) {
        if (r.first == "gXstrNA")
            r.second = "n&#47;a &amp; &lt;none&gt;";
    }
    useDatabase(test::makeResourceDb(dir / "escaped.mdb", rows));
    AssignResourceStrings();
    EXPECT_EQ(texts().gXstrNA, "n/a & <none>");
    EXPECT_EQ(texts().gXstrLS, "G gXstrLS");
}

// A key's text is that of its first element in document order: an earlier row,
// or an element nested inside an earlier row's text.
TEST_F(ResourceStrings, FirstElementOfAKeyInDocumentOrderWins) {
    std::vector<Row> rows = {{"gXstrNA", "first"}, {"gXstrLS", "L <gXstrOF>nested</gXstrOF>"}};
    for (Row& r : allRows("D"))
        rows.push_back(r);  // holds a second gXstrNA, gXstrLS and gXstrOF
    useDatabase(test::makeResourceDb(test::freshDir("dup") / "r.mdb", rows));
    AssignResourceStrings();
    EXPECT_EQ(texts().gXstrNA, "first");
    EXPECT_EQ(texts().gXstrLS, "L nested");
    EXPECT_EQ(texts().gXstrOF, "nested");
    EXPECT_EQ(texts().gXstrDCColCost, "D gXstrDCColCost");
}

TEST_F(ResourceStrings, ResetEmptiesTextsFlagAndPaths) {
    useDatabase(test::makeResourceDb(test::freshDir("reset") / "r.mdb", allRows("R")));
    ResManager().SetHelpFile("/somewhere/viewer.html");
    AssignResourceStrings();
    resetThreadState();
    EXPECT_FALSE(threadState().gStringsLoaded);
    EXPECT_TRUE(threadState().gResourceDB.empty());
    EXPECT_TRUE(threadState().gHelpFile.empty());
    EXPECT_EQ(filledCount(), 0u);
}

}  // namespace
}  // namespace qvc
