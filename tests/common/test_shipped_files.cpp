#include <fmt/format.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "CommonTestSupport.h"
#include "common/Help.h"
#include "common/ResourceMarkup.h"
#include "common/ResourceStrings.h"
#include "qvc/ResManager.h"
#include "qvc/runtime/BasicString.h"
#include "qvc/ui/Services.h"

namespace qvc {
namespace {

namespace fs = std::filesystem;

size_t rowCount(const std::string& dbPath) {
    auto db = dao::Database::Open(dbPath, {.readOnly = true});
    return static_cast<size_t>(db->OpenRecordset(kResourceStringsQuery)->RecordCount());
}

class ShippedResources : public ::testing::Test {
    test::ThreadStateGuard guard_;
};

TEST_F(ShippedResources, HoldEveryKeyOnceAndFillEveryTextToFitItsColumn) {
    EXPECT_EQ(rowCount(QVC_RESOURCE_DB), kResourceKeyCount);
    ResManager().SetResourceDB(QVC_RESOURCE_DB);
    const ResourceMarkup doc(LoadResourceStrings());
    ASSERT_TRUE(doc.wellFormed()) << doc.problem();
    AssignResourceStrings();
    for (const ResourceKey& k : kResourceKeys) {
        const std::string& text = texts().*k.member;
        EXPECT_FALSE(text.empty()) << k.name;
        EXPECT_EQ(text.find_first_of("<&"), std::string::npos) << k.name;
        // The text cash flow file's headings have 11-character columns.
        if (k.name.starts_with("gXstrASCII") && k.name != "gXstrASCIITableCompCashFlow" &&
            k.name != "gXstrASCIIFile") {
            EXPECT_LE(rt::Len(text), 11u) << k.name;
        }
    }
    // The first loan of a converted case is named from the fourth character on.
    EXPECT_EQ(rt::Mid(texts().gXstrASCIILoanPrincipal, 4), "Loan");
}

TEST_F(ShippedResources, GeneratorRejectsBadSourcesAndKeepsTheOldDatabase) {
    auto dir = test::freshDir("generator");
    std::ifstream shipped(fs::path(QVC_SOURCE_DIR) / "resources/strings/en-US.txt");
    const std::string good{std::istreambuf_iterator<char>(shipped), {}};
    const fs::path output = dir / "out.mdb";
    auto run = [&](const std::string& source) {
        std::ofstream(dir / "src.txt", std::ios::binary) << source;
        const std::string command =
            fmt::format("\"{}\" \"{}\" \"{}\" 2>/dev/null", QVC_MAKE_RESOURCE_DB,
                        (dir / "src.txt").string(), output.string());
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    ASSERT_EQ(run(good), 0);
    ASSERT_EQ(rowCount(output.string()), kResourceKeyCount);
    const auto written = fs::last_write_time(output);
    // A missing, doubled or unknown key, a "<" in a text, a line without a tab.
    const char* const line = "gXstrNA\tN/A\n";
    const char* const replacements[] = {"", "gXstrNA\tN/A\ngXstrNA\tN/A\n",
                                        "gXstrNA\tN/A\ngXstrNotAKey\ttext\n", "gXstrNA\tN<A\n",
                                        "gXstrNA N/A\n"};
    const size_t at = good.find(line);
    ASSERT_NE(at, std::string::npos);
    for (const char* replacement : replacements) {
        std::string source = good;
        source.replace(at, std::strlen(line), replacement);
        EXPECT_EQ(run(source), 1) << replacement;
        EXPECT_EQ(fs::last_write_time(output), written) << replacement;
    }
}

class FailingHelp : public ui::Help {
  public:
    void open(const std::string&, int32_t) override {
        ++calls;
        throw std::runtime_error("no browser");
    }
    int calls = 0;
};

TEST(Help, OpensOnlyAnExistingFileAndSurvivesAFailingBrowser) {
    test::ThreadStateGuard guard;
    auto help = std::make_shared<FailingHelp>();
    ui::Services::setHelp(help);
    auto dir = test::freshDir("help");
    ResManager().SetHelpFile(dir.string());  // a folder is no help file
    ShowHelp(kHelpReportViewer);
    EXPECT_EQ(help->calls, 0);
    std::ofstream(dir / "viewer.html") << "<html></html>";
    ResManager().SetHelpFile((dir / "viewer.html").string());
    EXPECT_NO_THROW(ShowHelp(kHelpPrint));
    EXPECT_EQ(help->calls, 1);
    ui::Services::reset();
}

}  // namespace
}  // namespace qvc
