// The viewer environment that reads the component's state: the shipped
// resource texts in the save dialog, the error message format, the temporary
// folder and the help file.

#include <gtest/gtest.h>

#include <fstream>

#include "SampleDocument.h"
#include "TestSupport.h"
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

struct RecordingChooser : SaveFileChooser {
    std::optional<QString> choose(QWidget*, const SaveFileRequest& request) override {
        requests.push_back(request);
        return std::nullopt;
    }
    std::vector<SaveFileRequest> requests;
};

}  // namespace

TEST(ComponentEnvironment, TheWindowShowsTheComponentsTextsFolderAndHelp) {
    resetThreadState();
    resetReportState();
    ui::Services::reset();
    ResManager().SetResourceDB(QVC_RESOURCE_DB);
    const fs::path work = test::freshDir("viewer", "component");
    threadState().strTempPath = work.string();
    auto env = std::make_shared<ComponentViewerEnvironment>();
    EXPECT_EQ(env->formatError("76#Path not found#SaveDocument#FrmReportViewer#"),
              "Error 76 - Path not found\r\nProcedure - SaveDocument\r\nModule - FrmReportViewer");
    EXPECT_EQ(env->text("noSuchKey"), "");

    doc::DocumentObject docs;
    test::buildShortDocument(docs, work.string(), "Office_Study Inputs.RTF", "inputs");
    frmReportViewer w(env);
    docs.AttachWindow(w.Toc1, 1);
    w.SetDocument(docs);
    auto chooser = std::make_shared<RecordingChooser>();
    w.setSaveFileChooser(chooser);
    w.SaveDocument();
    ASSERT_EQ(chooser->requests.size(), 1u);
    EXPECT_EQ(chooser->requests[0].title, "Save Report As");
    EXPECT_EQ(chooser->requests[0].filters, (QStringList{"Report Files (*.rtf)", "All Files (*)"}));
    EXPECT_EQ(chooser->requests[0].folder.toStdString(), work.string());

    auto help = std::make_shared<ui::HeadlessHelp>();
    ui::Services::setHelp(help);
    env->showHelp(frmReportViewer::HelpContextID);  // no help file named: nothing
    EXPECT_TRUE(help->requests().empty());
    std::ofstream(work / "viewer.html") << "<html></html>";
    ResManager().SetHelpFile((work / "viewer.html").string());
    env->showHelp(frmReportViewer::HelpContextID);
    ASSERT_EQ(help->requests().size(), 1u);
    EXPECT_EQ(help->requests()[0].file, (work / "viewer.html").string());
    EXPECT_EQ(help->requests()[0].context, 1000);

    resetThreadState();
    resetReportState();
    ui::Services::reset();
}
