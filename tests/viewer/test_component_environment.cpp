// The viewer environment over the component's state: resource texts, error format, folders, help.

#include <gtest/gtest.h>

#include <fstream>

#include "TestSupport.h"
#include "common/ThreadState.h"
#include "qvc/ResManager.h"
#include "qvc/ui/HeadlessHelp.h"
#include "qvc/ui/Services.h"
#include "qvc/viewer/frmReportViewer.h"
#include "registration/ComponentViewerEnvironment.h"
#include "reports/ReportState.h"

using namespace qvc;

TEST(ComponentEnvironment, TextsErrorsTemporaryFolderAndHelpOfTheComponent) {
    resetThreadState();
    resetReportState();
    ui::Services::reset();
    ResManager().SetResourceDB(QVC_RESOURCE_DB);
    const std::filesystem::path work = test::freshDir("viewer", "component");
    threadState().strTempPath = work.string();
    ComponentViewerEnvironment env;
    EXPECT_EQ(env.formatError("76#Path not found#SaveDocument#FrmReportViewer#"),
              "Error 76 - Path not found\r\nProcedure - SaveDocument\r\nModule - FrmReportViewer");
    EXPECT_EQ(env.text("gXstrSaveRpt"), "Save Report As");
    EXPECT_EQ(env.text("noSuchKey"), "");
    EXPECT_EQ(env.tempFolder(), work.string());

    auto help = std::make_shared<ui::HeadlessHelp>();
    ui::Services::setHelp(help);
    std::ofstream(work / "viewer.html") << "<html></html>";
    ResManager().SetHelpFile((work / "viewer.html").string());
    env.showHelp(viewer::frmReportViewer::HelpContextID);
    ASSERT_EQ(help->requests().size(), 1u);
    EXPECT_EQ(help->requests()[0].file, (work / "viewer.html").string());
    EXPECT_EQ(help->requests()[0].context, 1000);
    resetThreadState();
    resetReportState();
    ui::Services::reset();
}
