// The viewer environment that reads the component's state: the shipped
// resource texts by key, the error message, the temporary folder and the help
// file, and the save dialog showing those texts.

#include <gtest/gtest.h>

#include <fstream>

#include "ReportSample.h"
#include "ViewerTestSupport.h"
#include "common/ErrorMessage.h"
#include "common/ThreadState.h"
#include "qvc/ResManager.h"
#include "qvc/ui/HeadlessHelp.h"
#include "qvc/ui/Services.h"
#include "qvc/viewer/frmReportViewer.h"
#include "registration/ComponentViewerEnvironment.h"
#include "reports/ReportState.h"

namespace fs = std::filesystem;
using namespace qvc;
using namespace qvc::viewer;

namespace {

class RecordingChooser : public SaveFileChooser {
  public:
    std::optional<QString> choose(QWidget*, const SaveFileRequest& request) override {
        requests.push_back(request);
        return std::nullopt;
    }
    std::vector<SaveFileRequest> requests;
};

class ComponentEnvironment : public ::testing::Test {
  protected:
    void SetUp() override {
        resetThreadState();
        resetReportState();
        ui::Services::reset();
        ResManager().SetResourceDB(QVC_RESOURCE_DB);
    }
    void TearDown() override {
        resetThreadState();
        resetReportState();
        ui::Services::reset();
    }
};

}  // namespace

TEST_F(ComponentEnvironment, ShippedTextsErrorsNoticeAndHelp) {
    ComponentViewerEnvironment env;
    EXPECT_EQ(env.text("gXstrSaveRpt"), "Save Report As");
    EXPECT_EQ(env.text("gXstrReportFiles"), "Report Files");
    EXPECT_EQ(env.text("gXstrAllFiles"), "All Files");
    EXPECT_EQ(env.text("noSuchKey"), "");
    EXPECT_EQ(env.formatError("76#Path not found#SaveDocument#FrmReportViewer#"),
              FormatErrorMessage("76#Path not found#SaveDocument#FrmReportViewer#"));
    EXPECT_EQ(env.formatError("76#Path not found#SaveDocument#FrmReportViewer#"),
              "Error 76 - Path not found\r\nProcedure - SaveDocument\r\nModule - FrmReportViewer");

    threadState().strTempPath = "/tmp/qvc-temp";
    EXPECT_EQ(env.tempFolder(), "/tmp/qvc-temp");

    auto help = std::make_shared<ui::HeadlessHelp>();
    ui::Services::setHelp(help);
    env.showHelp(frmReportViewer::HelpContextID);  // no help file named: nothing
    EXPECT_TRUE(help->requests().empty());
    fs::path dir = test::freshViewerDir("component-help");
    std::ofstream(dir / "viewer.html") << "<html></html>";
    ResManager().SetHelpFile((dir / "viewer.html").string());
    env.showHelp(frmReportViewer::HelpContextID);
    ASSERT_EQ(help->requests().size(), 1u);
    EXPECT_EQ(help->requests()[0].context, 1000);
}

TEST_F(ComponentEnvironment, ViewerWindowUsesTheComponentsTexts) {
    fs::path work = test::freshViewerDir("component-window");
    threadState().strTempPath = work.string();
    doc::DocumentObject docs;
    test::addShortReport(docs, work.string(), "Office_Study Inputs.RTF", "inputs");
    frmReportViewer w(std::make_shared<ComponentViewerEnvironment>());
    docs.AttachWindow(w.Toc1, 1);
    w.SetDocument(docs);
    auto chooser = std::make_shared<RecordingChooser>();
    w.setSaveFileChooser(chooser);
    w.SaveDocument();
    ASSERT_EQ(chooser->requests.size(), 1u);
    EXPECT_EQ(chooser->requests[0].title, "Save Report As");
    EXPECT_EQ(chooser->requests[0].filters.front(), "Report Files (*.rtf)");
    EXPECT_EQ(chooser->requests[0].folder.toStdString(), work.string());
}
