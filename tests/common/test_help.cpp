#include <gtest/gtest.h>

#include <fstream>
#include <pugixml.hpp>
#include <vector>

#include "CommonTestSupport.h"
#include "common/Help.h"
#include "qvc/ResManager.h"

namespace qvc {
namespace {

namespace fs = std::filesystem;

struct Opened {
    std::string file;
    int32_t context;
};

class Help : public ::testing::Test {
  protected:
    Help() {
        setHelpOpener([this](const std::string& file, int32_t context) {
            opened.push_back({file, context});
        });
    }
    ~Help() override { setHelpOpener({}); }
    std::vector<Opened> opened;
    test::ThreadStateGuard guard_;
};

TEST_F(Help, OpensOnlyAnExistingHelpFile) {
    ShowHelp(kHelpReportViewer);  // no SetHelpFile call
    ResManager().SetHelpFile("");
    ShowHelp(kHelpReportViewer);
    auto dir = test::freshDir("help");
    ResManager().SetHelpFile((dir / "missing.html").string());
    ShowHelp(kHelpReportViewer);
    ResManager().SetHelpFile(dir.string());  // a folder is no help file
    ShowHelp(kHelpReportViewer);
    EXPECT_TRUE(opened.empty());

    const auto page = dir / "viewer.html";
    std::ofstream(page) << "<html></html>";
    ResManager().SetHelpFile(page.string());
    ShowHelp(kHelpZoom);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].file, page.string());
    EXPECT_EQ(opened[0].context, kHelpZoom);
}

TEST_F(Help, OpenerFailuresAreNotReported) {
    ResManager().SetHelpFile(QVC_HELP_FILE);
    setHelpOpener([](const std::string&, int32_t) { throw std::runtime_error("no browser"); });
    EXPECT_NO_THROW(ShowHelp(kHelpPrint));
}

TEST_F(Help, UrlIsAbsoluteEncodedAndCarriesTheContext) {
    EXPECT_EQ(helpUrl("/opt/qvc/help/viewer.html", 1000), "file:///opt/qvc/help/viewer.html#1000");
    EXPECT_EQ(helpUrl("/opt/my help/#1 100%.html", 1030),
              "file:///opt/my%20help/%231%20100%25.html#1030");
    EXPECT_EQ(helpUrl("/d/\xC3\xA9t\xC3\xA9.html", 1010), "file:///d/%C3%A9t%C3%A9.html#1010");
    std::string relative = helpUrl("viewer.html", 1000);
    EXPECT_EQ(relative, "file://" + (fs::current_path() / "viewer.html").string() + "#1000");
}

// The shipped page parses as XHTML and has an anchor for every context number
// the viewer uses, each with some explanation under it.
TEST_F(Help, ShippedPageHasAnAnchorForEveryContext) {
    pugi::xml_document page;
    auto result = page.load_file(QVC_HELP_FILE);
    ASSERT_TRUE(result) << result.description();
    for (int32_t context : {kHelpReportViewer, kHelpPaging, kHelpZoom, kHelpSave, kHelpPrint}) {
        const std::string id = std::to_string(context);
        pugi::xml_node anchor = page.find_node(
            [&](const pugi::xml_node& n) { return std::string(n.attribute("id").value()) == id; });
        ASSERT_TRUE(anchor) << "no anchor " << id;
        std::string text = anchor.text().get();
        for (pugi::xml_node n = anchor.next_sibling(); n && text.size() < 80; n = n.next_sibling())
            text += n.child_value();
        EXPECT_GE(text.size(), 40u) << "anchor " << id << " explains nothing";
    }
}

}  // namespace
}  // namespace qvc
