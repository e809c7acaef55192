#include <gtest/gtest.h>

#include <fstream>
#include <pugixml.hpp>
#include <stdexcept>

#include "CommonTestSupport.h"
#include "common/Help.h"
#include "qvc/ResManager.h"
#include "qvc/ui/HeadlessHelp.h"
#include "qvc/ui/Services.h"

namespace qvc {
namespace {

class RecordingHelp : public ui::Help {
  public:
    void open(const std::string&, int32_t) override {
        ++opened;
        if (opened > 1)
            throw std::runtime_error("no browser");
    }
    int opened = 0;
};

TEST(Help, OpensOnlyAnExistingFileAndSurvivesAFailingBrowser) {
    test::ThreadStateGuard guard;
    auto recorder = std::make_shared<RecordingHelp>();
    ui::Services::setHelp(recorder);
    ShowHelp(kHelpReportViewer);  // no help file named
    auto dir = test::freshDir("help");
    ResManager().SetHelpFile((dir / "missing.html").string());
    ShowHelp(kHelpReportViewer);
    ResManager().SetHelpFile(dir.string());  // a folder is no help file
    ShowHelp(kHelpReportViewer);
    EXPECT_EQ(recorder->opened, 0);
    std::ofstream(dir / "viewer.html") << "<html></html>";
    ResManager().SetHelpFile((dir / "viewer.html").string());
    ShowHelp(kHelpZoom);
    EXPECT_NO_THROW(ShowHelp(kHelpPrint));
    EXPECT_EQ(recorder->opened, 2);
    ui::Services::reset();
}

// The shipped page has, for every context the viewer uses, the anchor opened, with text under it.
TEST(Help, ShippedPageHasAnAnchorForEveryContext) {
    pugi::xml_document page;
    auto result = page.load_file(QVC_HELP_FILE);
    ASSERT_TRUE(result) << result.description();
    for (int32_t context : {kHelpReportViewer, kHelpPaging, kHelpZoom, kHelpSave, kHelpPrint}) {
        const std::string address = ui::HeadlessHelp::address(QVC_HELP_FILE, context);
        const std::string id = address.substr(address.find('#') + 1);
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
