// The headless UI services: what they record, what they answer, what the viewer
// saves and deletes, and how printing fails without a printer.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "RtfReader.h"
#include "qvc/document/DocumentObject.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/ui/HeadlessHelp.h"
#include "qvc/ui/HeadlessMessageBox.h"
#include "qvc/ui/HeadlessProgressWindow.h"
#include "qvc/ui/HeadlessReportViewer.h"
#include "qvc/ui/Services.h"

namespace fs = std::filesystem;
using namespace qvc;
using namespace qvc::ui;

namespace {

class UiServices : public ::testing::Test {
  protected:
    void SetUp() override { Services::reset(); }
    void TearDown() override { Services::reset(); }

    static fs::path freshDir(const std::string& name) {
        fs::path dir = fs::path(QVC_TEST_OUTPUT_DIR) / "ui" / name;
        fs::remove_all(dir);
        fs::create_directories(dir);
        return dir;
    }

    // Two report documents in `work`, built the way the report builder does.
    static void buildReports(doc::DocumentObject& docs, const fs::path& work) {
        for (const char* name : {"Study Inputs.RTF", "Office_Life-Cycle Summary.RTF"}) {
            docs.NewDocument(name, work.string());
            docs.AddText(std::string("Report ") + name, 12.0f, std::nullopt, 2, std::nullopt,
                         doc::code::kAlignCentre, doc::code::kDefaultColour, true);
            docs.FinishDocument(true, 0);
        }
    }
};

struct RecordingPrinter : Printer {
    std::vector<std::pair<int32_t, bool>> jobs;
    void print(const doc::DocumentObject& docs, int32_t index, bool dialog) override {
        ASSERT_GE(index, 1);
        ASSERT_LE(index, docs.DocumentCount());
        jobs.emplace_back(index, dialog);
    }
};

}  // namespace

TEST_F(UiServices, MessageBoxRecordsAndAnswersWithTheDefaultButton) {
    auto box = std::make_shared<HeadlessMessageBox>();
    Services::setMessageBox(box);
    ASSERT_EQ(Services::messageBox(), box);
    testing::internal::CaptureStderr();
    EXPECT_EQ(
        Services::messageBox()->show("Reports could not be generated", mb::kInformation, "Reports"),
        mb::kOk);
    EXPECT_EQ(box->show("Overwrite?", mb::kYesNo | mb::kQuestion, "Save"), mb::kYes);
    EXPECT_EQ(box->show("Overwrite?", mb::kYesNo | mb::kDefaultButton2, "Save"), mb::kNo);
    EXPECT_EQ(box->show("Failed", mb::kAbortRetryIgnore | mb::kDefaultButton3, ""), mb::kIgnore);
    box->queueAnswer(mb::kCancel);
    EXPECT_EQ(box->show("Continue?", mb::kOkCancel, "Q"), mb::kCancel);
    EXPECT_EQ(box->show("Continue?", mb::kOkCancel, "Q"), mb::kOk);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Reports: Reports could not be generated\n"), std::string::npos);
    EXPECT_NE(err.find("Message: Failed\n"), std::string::npos);

    auto records = box->records();
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[0].text, "Reports could not be generated");
    EXPECT_EQ(records[0].flags, 64);
    EXPECT_EQ(records[0].title, "Reports");
    EXPECT_EQ(records[1].flags, mb::kYesNo | mb::kQuestion);
    box->clear();
    EXPECT_TRUE(box->records().empty());

    // nullptr and reset bring back a headless default.
    Services::setMessageBox(nullptr);
    EXPECT_NE(Services::messageBox(), box);
    EXPECT_NE(std::dynamic_pointer_cast<HeadlessMessageBox>(Services::messageBox()), nullptr);
}

TEST_F(UiServices, ProgressWindowRecordsAndDrawsOnlyOnATerminal) {
    HeadlessProgressWindow quiet(0);
    testing::internal::CaptureStderr();
    quiet.setCaption("Report Status");
    quiet.setValue(0);
    quiet.setLabel("Please wait: Life-Cycle Summary is being generated");
    quiet.showNonModal();
    quiet.refresh();
    quiet.setValue(50);
    quiet.refresh();
    quiet.setValue(100);
    quiet.setLabel("Done");
    quiet.refresh();
    quiet.unload();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(quiet.values(), (std::vector<int32_t>{0, 50, 100}));
    auto events = quiet.events();
    ASSERT_EQ(events.size(), 11u);
    EXPECT_EQ(events[0].kind, ProgressEvent::Kind::Caption);
    EXPECT_EQ(events[0].text, "Report Status");
    EXPECT_EQ(events[3].kind, ProgressEvent::Kind::Show);
    EXPECT_EQ(events.back().kind, ProgressEvent::Kind::Unload);
    EXPECT_THROW(quiet.setValue(101), rt::Error);
    EXPECT_THROW(quiet.setValue(-1), rt::Error);

    HeadlessProgressWindow tty(1);
    tty.setCaption("Report Status");
    tty.setLabel("Cash flows");
    tty.setValue(45);
    EXPECT_EQ(tty.line(), "Report Status: Cash flows [#########-----------]  45%");
    testing::internal::CaptureStderr();
    tty.refresh();  // not shown yet: nothing drawn
    tty.showNonModal();
    tty.refresh();
    tty.unload();
    std::string drawn = testing::internal::GetCapturedStderr();
    EXPECT_EQ(drawn, "\r\033[KReport Status: Cash flows [#########-----------]  45%\n");
}

TEST_F(UiServices, ViewerSavesEveryDocumentIntoTheOutputFolderAndCleansUp) {
    fs::path work = freshDir("work");
    fs::path out = freshDir("out");
    Services::setOutputFolder(out);
    std::shared_ptr<ReportViewer> viewer = Services::reportViewer();
    EXPECT_EQ(viewer->documentView(), nullptr);  // not loaded
    viewer->loadHidden();
    ASSERT_NE(viewer->graphSurface(), nullptr);

    doc::DocumentObject docs;
    ASSERT_EQ(docs.AttachWindow(viewer->documentView(), viewer->ownerHandle()), 1);
    buildReports(docs, work);
    viewer->setDocument(docs);
    for (int32_t i = 1; i <= docs.DocumentCount(); ++i) {
        docs.ActivateDocument(i);
    }
    docs.ActivateDocument(1);
    viewer->showModal();

    auto* headless = dynamic_cast<HeadlessReportViewer*>(viewer.get());
    ASSERT_NE(headless, nullptr);
    EXPECT_EQ(headless->displayedIndex(), 1);
    ASSERT_EQ(headless->savedFiles().size(), 2u);
    EXPECT_EQ(headless->savedFiles()[0], out / "Study Inputs.RTF");
    EXPECT_EQ(headless->savedFiles()[1], out / "Office_Life-Cycle Summary.RTF");
    auto saved = test::readRtfFile(out / "Office_Life-Cycle Summary.RTF");
    EXPECT_NE(saved.bodyText().find("Report Office_Life-Cycle Summary.RTF"), std::string::npos);
    // The documents still name their working folder.
    EXPECT_EQ(docs.document(1).FileFolder(), work.string());

    viewer->unload();
    EXPECT_FALSE(fs::exists(work / "Study Inputs.RTF"));
    EXPECT_FALSE(fs::exists(work / "Office_Life-Cycle Summary.RTF"));
    EXPECT_TRUE(fs::exists(out / "Study Inputs.RTF"));
    EXPECT_EQ(docs.attachedWindow(), nullptr);
}

// Reproducer: `qvc calc P 1 --out P` then `qvc calc P 1 --out other` deleted
// the reports the first run had saved in P: the second run's viewer removed its
// working files in P by name. Only files a run created may go; a file named
// like a temporary copy of a report is never touched either.
TEST_F(UiServices, ViewerRemovesOnlyTheWorkingFilesThisRunCreated) {
    fs::path work = freshDir("keep");
    fs::path other = freshDir("keep-other");
    {
        std::ofstream(work / "Study Inputs.RTF.tmp") << "the user's notes";
        std::ofstream(work / "notes.txt") << "unrelated";
    }
    auto run = [&](const fs::path& out) {
        Services::setOutputFolder(out);
        HeadlessReportViewer viewer;
        viewer.loadHidden();
        doc::DocumentObject docs;
        docs.AttachWindow(viewer.documentView(), viewer.ownerHandle());
        buildReports(docs, work);
        viewer.setDocument(docs);
        viewer.showModal();
        viewer.unload();
        return std::pair{docs.CreatedFile(work / "Study Inputs.RTF"),
                         docs.CreatedFile(work / "Office_Life-Cycle Summary.RTF")};
    };
    // First run: the output folder is the working folder, the reports stay.
    EXPECT_EQ(run(work), std::pair(true, true));
    ASSERT_TRUE(fs::exists(work / "Study Inputs.RTF"));
    ASSERT_TRUE(fs::exists(work / "Office_Life-Cycle Summary.RTF"));
    // Second run into another folder: its working files in `work` replaced the
    // saved reports, they were not created by it, so they stay.
    EXPECT_EQ(run(other), std::pair(false, false));
    EXPECT_TRUE(fs::exists(work / "Study Inputs.RTF"));
    EXPECT_TRUE(fs::exists(work / "Office_Life-Cycle Summary.RTF"));
    EXPECT_TRUE(fs::exists(other / "Study Inputs.RTF"));
    EXPECT_TRUE(fs::exists(other / "Office_Life-Cycle Summary.RTF"));

    // A run whose working files are new removes them, and only them.
    fs::remove(work / "Office_Life-Cycle Summary.RTF");
    EXPECT_EQ(run(other), std::pair(false, true));
    EXPECT_TRUE(fs::exists(work / "Study Inputs.RTF"));
    EXPECT_FALSE(fs::exists(work / "Office_Life-Cycle Summary.RTF"));

    std::string notes;
    std::getline(std::ifstream(work / "Study Inputs.RTF.tmp"), notes);
    EXPECT_EQ(notes, "the user's notes");
    EXPECT_TRUE(fs::exists(work / "notes.txt"));
    // No temporary file of the writer is left behind.
    for (const auto& entry : fs::directory_iterator(work))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".qvc-")) << entry.path();
}

TEST_F(UiServices, ViewerWithoutOutputFolderKeepsTheWorkingFiles) {
    fs::path work = freshDir("own");
    HeadlessReportViewer viewer;
    viewer.loadHidden();
    doc::DocumentObject docs;
    buildReports(docs, work);
    docs.SetZoom(150);
    docs.AttachWindow(viewer.documentView(), viewer.ownerHandle());
    viewer.setDocument(docs);
    EXPECT_EQ(docs.zoom(), 100);  // the viewer's zoom after loading
    viewer.showModal();
    EXPECT_EQ(viewer.savedFiles(), (std::vector<fs::path>{work / "Study Inputs.RTF",
                                                          work / "Office_Life-Cycle Summary.RTF"}));
    viewer.unload();
    EXPECT_TRUE(fs::exists(work / "Study Inputs.RTF"));

    // An output folder that does not exist is an error naming it.
    Services::setOutputFolder(work / "missing");
    viewer.loadHidden();
    viewer.setDocument(docs);
    try {
        viewer.showModal();
        FAIL() << "saving into a missing folder must fail";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), rt::err::kPathNotFound);
        EXPECT_NE(e.description().find("missing"), std::string::npos);
    }
    EXPECT_EQ(docs.document(1).FileFolder(), work.string());
}

TEST_F(UiServices, PrintingNeedsAPrinter) {
    fs::path work = freshDir("print");
    HeadlessReportViewer viewer;
    viewer.loadHidden();
    doc::DocumentObject docs;
    docs.AttachWindow(viewer.documentView(), 0);
    buildReports(docs, work);
    try {
        docs.PrintDocument(0);
        FAIL() << "printing without a printer must fail";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), rt::err::kDeviceUnavailable);
        EXPECT_NE(e.description().find("No printer is available"), std::string::npos);
    }
    auto printer = std::make_shared<RecordingPrinter>();
    Services::setPrinter(printer);
    docs.ActivateDocument(2);
    docs.PrintDocument(0);
    docs.ActivateDocument(1);
    docs.PrintDocument(1);
    EXPECT_EQ(printer->jobs, (std::vector<std::pair<int32_t, bool>>{{2, false}, {1, true}}));
}

TEST_F(UiServices, HelpOpensOnlyWithADisplay) {
    const char* display = std::getenv("DISPLAY");
    std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    auto help = std::make_shared<HeadlessHelp>();
    Services::setHelp(help);
    Services::help()->open("/opt/app/help/viewer.html", 1001);
    auto requests = help->requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].file, "/opt/app/help/viewer.html");
    EXPECT_EQ(requests[0].context, 1001);
    EXPECT_FALSE(requests[0].launched);
    EXPECT_EQ(HeadlessHelp::address("/opt/my help/viewer.html", 7),
              "file:///opt/my%20help/viewer.html#ctx-7");
    if (!saved.empty()) {
        setenv("DISPLAY", saved.c_str(), 1);
    }
}
