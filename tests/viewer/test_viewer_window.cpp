// The report viewer window: the navigation and zoom button rules, saving a copy
// elsewhere, deleting the report files on closing, error messages, the text
// cash-flow notice, help, and the window as the report-viewer service.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <fstream>

#include "FakeEnv.h"
#include "ReportSample.h"
#include "RtfReader.h"
#include "ViewerTestSupport.h"
#include "qvc/runtime/ScopedEnv.h"
#include "qvc/ui/FixedViewerEnvironment.h"
#include "qvc/ui/HeadlessHelp.h"
#include "qvc/ui/HeadlessMessageBox.h"
#include "qvc/ui/Services.h"
#include "qvc/viewer/FileNames.h"
#include "qvc/viewer/QtReportViewer.h"
#include "qvc/viewer/frmReportViewer.h"

namespace fs = std::filesystem;
using namespace qvc;
using namespace qvc::viewer;

namespace {

// Answers the save dialog with a fixed path (or a cancel) and keeps the request.
class ScriptedChooser : public SaveFileChooser {
  public:
    explicit ScriptedChooser(std::optional<QString> answer) : answer_(std::move(answer)) {}
    std::optional<QString> choose(QWidget*, const SaveFileRequest& request) override {
        requests.push_back(request);
        return answer_;
    }
    std::vector<SaveFileRequest> requests;

  private:
    std::optional<QString> answer_;
};

class ViewerWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ui::Services::reset();
        messages_ = std::make_shared<ui::HeadlessMessageBox>();
        ui::Services::setMessageBox(messages_);
        env_ = std::make_shared<ui::FixedViewerEnvironment>(ui::FixedViewerEnvironment::english());
    }
    void TearDown() override { ui::Services::reset(); }

    // A loaded window with the documents attached and handed over, as the
    // report builder does it.
    std::unique_ptr<frmReportViewer> load(doc::DocumentObject& docs) {
        auto w = std::make_unique<frmReportViewer>(env_);
        EXPECT_EQ(docs.AttachWindow(w->Toc1, 1), 1);
        docs.ActivateDocument(1);
        w->SetDocument(docs);
        return w;
    }

    static void click(frmReportViewer& w, int index) {
        QWidget* b = w.tlbReport->widgetForAction(w.button(index));
        ASSERT_NE(b, nullptr);
        QTest::mouseClick(b, Qt::LeftButton);
    }

    static void moveOverToolbar(frmReportViewer& w) {
        QWidget* b = w.tlbReport->widgetForAction(w.button(2));
        QMouseEvent move(QEvent::MouseMove, QPointF(4, 4), b->mapToGlobal(QPointF(4, 4)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(b, &move);
    }

    std::shared_ptr<ui::HeadlessMessageBox> messages_;
    std::shared_ptr<ui::FixedViewerEnvironment> env_;
};

TEST_F(ViewerWindow, LoadsWithCaptionMenusAndSixButtons) {
    frmReportViewer w(env_);
    EXPECT_EQ(w.windowTitle(), "Report Viewer");
    EXPECT_EQ(w.mnuFile->title(), "&File");
    EXPECT_EQ(w.mnusavereportas->text(), "&Save Report As");
    EXPECT_EQ(w.mnuprint->text(), "&Print");
    EXPECT_EQ(w.mnuexit->text(), "E&xit");
    EXPECT_EQ(w.mnuHelp->title(), "&Help");
    EXPECT_EQ(w.mnuhowtouse->text(), "How to Use the &Report Viewer");
    EXPECT_EQ(w.zoom(), 100);
    for (int i = 1; i <= 6; ++i) {
        EXPECT_TRUE(w.button(i)->isEnabled()) << i;
        EXPECT_FALSE(w.button(i)->icon().isNull()) << i;
        EXPECT_FALSE(w.button(i)->toolTip().isEmpty()) << i;
    }
    // Full screen width from the left edge.
    EXPECT_EQ(w.geometry().left(), QGuiApplication::primaryScreen()->geometry().left());
    EXPECT_EQ(w.width(), QGuiApplication::primaryScreen()->geometry().width());
    EXPECT_LT(w.height(), QGuiApplication::primaryScreen()->geometry().height());
    EXPECT_EQ(w.centralWidget(), w.Toc1);
}

TEST_F(ViewerWindow, OneDocumentDisablesBothNavigationButtonsOnMouseMove) {
    fs::path work = test::freshViewerDir("one-document");
    doc::DocumentObject docs;
    test::addShortReport(docs, work.string(), "Only.RTF", "The only report.");
    auto w = load(docs);
    EXPECT_TRUE(w->button(3)->isEnabled());
    EXPECT_TRUE(w->button(4)->isEnabled());
    moveOverToolbar(*w);
    EXPECT_FALSE(w->button(3)->isEnabled());
    EXPECT_FALSE(w->button(4)->isEnabled());
    EXPECT_TRUE(w->button(5)->isEnabled());
    EXPECT_EQ(w->Toc1->displayedIndex(), 1);
}

TEST_F(ViewerWindow, ZoomStepsOf25BetweenTheLimits) {
    fs::path work = test::freshViewerDir("zoom");
    doc::DocumentObject docs;
    test::addShortReport(docs, work.string(), "Zoom.RTF", "Zoom me.");
    auto w = load(docs);
    const double scale100 = w->Toc1->scale();

    const int expectedIn[] = {125, 150, 175, 200};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(w->button(5)->isEnabled()) << "click " << i + 1;
        click(*w, 5);
        EXPECT_EQ(w->zoom(), expectedIn[i]);
        EXPECT_EQ(docs.zoom(), expectedIn[i]);
        EXPECT_EQ(w->Toc1->zoom(), expectedIn[i]);
    }
    EXPECT_FALSE(w->button(5)->isEnabled());
    EXPECT_TRUE(w->button(6)->isEnabled());
    EXPECT_DOUBLE_EQ(w->Toc1->scale(), scale100 * 2);
    click(*w, 5);  // disabled: nothing happens
    EXPECT_EQ(w->zoom(), 200);

    for (int i = 0; i < 4; ++i) {
        click(*w, 6);
    }
    EXPECT_EQ(w->zoom(), 100);
    EXPECT_TRUE(w->button(5)->isEnabled());
    const int expectedOut[] = {75, 50, 25};
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(w->button(6)->isEnabled()) << "click " << i + 1;
        click(*w, 6);
        EXPECT_EQ(w->zoom(), expectedOut[i]);
        EXPECT_EQ(docs.zoom(), expectedOut[i]);
    }
    EXPECT_FALSE(w->button(6)->isEnabled());
    EXPECT_TRUE(w->button(5)->isEnabled());
    EXPECT_DOUBLE_EQ(w->Toc1->scale(), scale100 / 4);
}

TEST_F(ViewerWindow, PreviousAndNextAtTheEnds) {
    fs::path work = test::freshViewerDir("navigation");
    doc::DocumentObject docs;
    for (const char* name : {"First.RTF", "Second.RTF", "Third.RTF"}) {
        test::addShortReport(docs, work.string(), name, name);
    }
    auto w = load(docs);
    moveOverToolbar(*w);
    EXPECT_FALSE(w->button(3)->isEnabled());  // first document active
    EXPECT_TRUE(w->button(4)->isEnabled());

    click(*w, 5);
    EXPECT_EQ(w->zoom(), 125);
    click(*w, 4);
    EXPECT_EQ(docs.activeIndex(), 2);
    EXPECT_EQ(w->Toc1->displayedIndex(), 2);
    EXPECT_EQ(w->zoom(), 100);  // reset on switching
    EXPECT_EQ(w->Toc1->zoom(), 100);
    EXPECT_TRUE(w->button(3)->isEnabled());
    EXPECT_TRUE(w->button(4)->isEnabled());
    EXPECT_TRUE(w->Toc1->isVisibleTo(w.get()));

    click(*w, 4);
    EXPECT_EQ(docs.activeIndex(), 3);
    EXPECT_TRUE(w->button(3)->isEnabled());
    EXPECT_FALSE(w->button(4)->isEnabled());
    moveOverToolbar(*w);  // not the first one: nothing changes
    EXPECT_TRUE(w->button(3)->isEnabled());
    EXPECT_FALSE(w->button(4)->isEnabled());

    click(*w, 3);
    click(*w, 3);
    EXPECT_EQ(docs.activeIndex(), 1);
    EXPECT_EQ(w->Toc1->displayedIndex(), 1);
    EXPECT_FALSE(w->button(3)->isEnabled());
    EXPECT_TRUE(w->button(4)->isEnabled());
    // The document shown is the one activated: its file name is in the header.
    bool found = false;
    for (const auto& t : w->Toc1->pages().pages.front().texts) {
        found = found || t.text == "First.RTF";
    }
    EXPECT_TRUE(found);
}

TEST_F(ViewerWindow, SaveDocumentWritesACopyAndLeavesTheWorkingFile) {
    fs::path work = test::freshViewerDir("save/work");
    fs::path elsewhere = test::freshViewerDir("save/elsewhere");
    env_->setTempFolder(work.string());
    doc::DocumentObject docs;
    test::addShortReport(docs, work.string(), "Summary.RTF", "Saved text");
    test::addShortReport(docs, work.string(), "Details.RTF", "Other text");
    auto w = load(docs);
    click(*w, 4);  // the second document is the active one
    const fs::path working = work / "Details.RTF";
    const std::string before = test::readFile(working);
    const auto stamp = fs::last_write_time(working);

    auto chooser = std::make_shared<ScriptedChooser>(
        QString::fromStdString((elsewhere / "My copy.rtf").string()));
    w->setSaveFileChooser(chooser);
    click(*w, 1);

    ASSERT_EQ(chooser->requests.size(), 1u);
    const SaveFileRequest& r = chooser->requests.front();
    EXPECT_EQ(r.title, "Save Report As");
    ASSERT_EQ(r.filters.size(), 2);
    EXPECT_EQ(r.filters[0], "Report Files (*.rtf)");
    EXPECT_EQ(r.filters[1], "All Files (*)");
    EXPECT_EQ(r.fileName, "Details.RTF");
    EXPECT_EQ(r.folder.toStdString(), work.string());

    ASSERT_TRUE(fs::exists(elsewhere / "My copy.rtf"));
    test::RtfDocument copy = test::readRtfFile(elsewhere / "My copy.rtf");
    const std::string all = copy.bodyText();
    EXPECT_NE(all.find("Other text"), std::string::npos);
    EXPECT_EQ(all.find("Saved text"), std::string::npos);
    EXPECT_EQ(test::readFile(working), before);
    EXPECT_EQ(fs::last_write_time(working), stamp);
    EXPECT_EQ(docs.document(2).FileName(), "Details.RTF");
    EXPECT_EQ(docs.document(2).FileFolder(), work.string());
    EXPECT_TRUE(messages_->records().empty());

    // The menu item does the same; cancelling writes nothing and says nothing.
    auto cancel = std::make_shared<ScriptedChooser>(std::nullopt);
    w->setSaveFileChooser(cancel);
    w->mnusavereportas->trigger();
    EXPECT_EQ(cancel->requests.size(), 1u);
    EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere), fs::directory_iterator()), 1);
    EXPECT_TRUE(messages_->records().empty());
}

TEST_F(ViewerWindow, SaveThatFailsShowsTheErrorMessageAndKeepsTheUsersFile) {
    fs::path work = test::freshViewerDir("save-error");
    doc::DocumentObject docs;
    test::addShortReport(docs, work.string(), "Summary.RTF", "Text");
    auto w = load(docs);
    w->setSaveFileChooser(std::make_shared<ScriptedChooser>(
        QString::fromStdString((work / "no such folder" / "x.rtf").string())));
    w->SaveDocument();
    auto records = messages_->records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].text.rfind("Error 76 - ", 0), 0u) << records[0].text;
    EXPECT_NE(records[0].text.find("\r\nProcedure - SaveDocument\r\nModule - FrmReportViewer"),
              std::string::npos)
        << records[0].text;
    EXPECT_EQ(docs.document(1).FileFolder(), work.string());  // restored

    // Saving over the user's file when the disk fills up half-way: the file
    // stays as it was, nothing else is left beside it, the message names it.
    test::FakeEnv env;
    env.addFile("/home/ann/Summary.rtf", "the user's summary");
    env.setCapacity(100);
    rt::ScopedEnv scope(env);
    w->setSaveFileChooser(
        std::make_shared<ScriptedChooser>(QStringLiteral("/home/ann/Summary.rtf")));
    w->SaveDocument();
    records = messages_->records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].text.rfind("Error 61 - Cannot write \"Summary.rtf\" into the folder "
                                    "\"/home/ann\"",
                                    0),
              0u)
        << records[1].text;
    EXPECT_EQ(env.contents("/home/ann/Summary.rtf"), "the user's summary");
    EXPECT_EQ(env.listFolder("/home/ann"), std::vector<std::string>{"Summary.rtf"});
    EXPECT_EQ(docs.document(1).FileFolder(), work.string());
}

TEST_F(ViewerWindow, FileNameAndFolderFromAChosenPath) {
    EXPECT_EQ(GetFileNameFromPath("/home/ann/reports/Summary.rtf"), "Summary.rtf");
    EXPECT_EQ(GetFolderFromPath("/home/ann/reports/Summary.rtf"), "/home/ann/reports");
    EXPECT_EQ(GetFileNameFromPath("/Summary.rtf"), "Summary.rtf");
    EXPECT_EQ(GetFolderFromPath("/Summary.rtf"), "/");
    EXPECT_EQ(GetFileNameFromPath("/home/ann/reports/"), "reports");
    EXPECT_EQ(GetFileNameFromPath("/"), "/");
    // A relative path is completed with the current directory.
    EXPECT_EQ(GetFileNameFromPath("Summary.rtf"), "Summary.rtf");
    EXPECT_EQ(GetFolderFromPath("Summary.rtf"), fs::current_path().string());
    EXPECT_EQ(GetFolderFromPath("sub/Summary.rtf"), (fs::current_path() / "sub").string());
}

TEST_F(ViewerWindow, ClosingDeletesTheReportFiles) {
    fs::path work = test::freshViewerDir("close");
    doc::DocumentObject docs;
    test::addShortReport(docs, work.string(), "A.RTF", "a");
    test::addShortReport(docs, work.string(), "B.RTF", "b");
    fs::path unrelated = work / "keep.txt";
    std::ofstream(unrelated) << "not a report";
    ASSERT_TRUE(fs::exists(work / "A.RTF"));
    ASSERT_TRUE(fs::exists(work / "B.RTF"));
    auto w = load(docs);
    w->show();
    QSignalSpy closed(w.get(), &frmReportViewer::closed);
    w->mnuexit->trigger();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(fs::exists(work / "A.RTF"));
    EXPECT_FALSE(fs::exists(work / "B.RTF"));
    EXPECT_TRUE(fs::exists(unrelated));
    EXPECT_EQ(docs.attachedWindow(), nullptr);
    EXPECT_TRUE(messages_->records().empty());
}

// Reproducer: a report saved by an earlier run under the name of a working
// file was deleted when the window closed. Only the files this run created go.
TEST_F(ViewerWindow, ClosingKeepsAFileThatWasThereBefore) {
    fs::path work = test::freshViewerDir("close-keep");
    std::ofstream(work / "A.RTF") << "{\\rtf1 saved by an earlier run}";
    doc::DocumentObject docs;
    test::addShortReport(docs, work.string(), "A.RTF", "a");
    test::addShortReport(docs, work.string(), "B.RTF", "b");
    auto w = load(docs);
    w->show();
    w->mnuexit->trigger();
    EXPECT_TRUE(fs::exists(work / "A.RTF"));
    EXPECT_FALSE(fs::exists(work / "B.RTF"));
}

TEST_F(ViewerWindow, PrintGoesToThePrinterServiceWithTheDialog) {
    struct RecordingPrinter : ui::Printer {
        void print(const doc::DocumentObject&, int32_t index, bool showDialog) override {
            calls.emplace_back(index, showDialog);
        }
        std::vector<std::pair<int32_t, bool>> calls;
    };
    fs::path work = test::freshViewerDir("print");
    doc::DocumentObject docs;
    test::addShortReport(docs, work.string(), "A.RTF", "a");
    test::addShortReport(docs, work.string(), "B.RTF", "b");
    auto w = load(docs);
    click(*w, 4);
    auto printer = std::make_shared<RecordingPrinter>();
    ui::Services::setPrinter(printer);
    click(*w, 2);
    w->mnuprint->trigger();
    ASSERT_EQ(printer->calls.size(), 2u);
    EXPECT_EQ(printer->calls[0], std::make_pair(2, true));
    EXPECT_EQ(printer->calls[1], std::make_pair(2, true));

    // Without a printer the failure is shown with the procedure's name.
    ui::Services::setPrinter(nullptr);
    w->PrintReport(0);
    auto records = messages_->records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].text.rfind("Error 68 - ", 0), 0u);
    EXPECT_NE(records[0].text.find("Procedure - PrintReport"), std::string::npos);
}

TEST_F(ViewerWindow, TextCashFlowNoticeAndHelp) {
    fs::path work = test::freshViewerDir("notice");
    fs::path help = work / "viewer.html";
    std::ofstream(help) << "<html></html>";
    auto helpService = std::make_shared<ui::HeadlessHelp>();
    ui::Services::setHelp(helpService);
    env_->setHelpFile(help.string());
    doc::DocumentObject docs;
    test::addShortReport(docs, work.string(), "A.RTF", "a");
    auto w = load(docs);
    w->Form_Activate();
    EXPECT_TRUE(messages_->records().empty());  // no notice: nothing shown
    w->setActivationNotice("The text cash flow file has been saved as /tmp/x/CF.TXT");
    w->Form_Activate();
    auto records = messages_->records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].text, "The text cash flow file has been saved as /tmp/x/CF.TXT");
    EXPECT_EQ(records[0].flags, 0);

    EXPECT_FALSE(w->mnuhowtouse->isVisible());
    emit w->mnuHelp->aboutToShow();
    EXPECT_TRUE(w->mnuhowtouse->isVisible());
    w->mnuhowtouse->trigger();
    auto requests = helpService->requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].file, help.string());
    EXPECT_EQ(requests[0].context, frmReportViewer::HelpContextID);

    // Without a help file nothing is opened.
    env_->setHelpFile("");
    w->mnuhowtouse->trigger();
    EXPECT_EQ(helpService->requests().size(), 1u);
}

TEST_F(ViewerWindow, ServiceLoadsShowsModallyAndUnloads) {
    fs::path work = test::freshViewerDir("service");
    doc::DocumentObject docs;
    test::addShortReport(docs, work.string(), "A.RTF", "a");
    test::addShortReport(docs, work.string(), "B.RTF", "b");
    QtReportViewer viewer(env_);
    EXPECT_FALSE(viewer.isLoaded());
    EXPECT_EQ(viewer.documentView(), nullptr);
    viewer.loadHidden();
    ASSERT_TRUE(viewer.isLoaded());
    ASSERT_NE(viewer.graphSurface(), nullptr);
    EXPECT_FALSE(viewer.window()->isVisible());
    EXPECT_EQ(docs.AttachWindow(viewer.documentView(), viewer.ownerHandle()), 1);
    viewer.setDocument(docs);
    docs.SetRedraw(false);
    docs.ActivateDocument(2);
    docs.ActivateDocument(1);
    docs.SetRedraw(true);
    EXPECT_EQ(viewer.window()->Toc1->displayedIndex(), 1);

    bool wasModal = false;
    QTimer::singleShot(50, [&] {
        wasModal = viewer.window()->isVisible() && viewer.window()->isModal();
        viewer.window()->close();
    });
    viewer.setActivationNotice("The text cash flow file has been saved as /tmp/x/CF.TXT");
    viewer.showModal();  // returns once closed
    EXPECT_TRUE(wasModal);
    ASSERT_EQ(messages_->records().size(), 1u);  // the notice, shown when the window opened
    EXPECT_EQ(messages_->records()[0].text,
              "The text cash flow file has been saved as /tmp/x/CF.TXT");
    EXPECT_FALSE(fs::exists(work / "A.RTF"));
    EXPECT_FALSE(fs::exists(work / "B.RTF"));
    viewer.unload();
    EXPECT_FALSE(viewer.isLoaded());
    EXPECT_EQ(docs.attachedWindow(), nullptr);

    // The next build's window starts without the last build's notice.
    viewer.loadHidden();
    QTimer::singleShot(50, [&] { viewer.window()->close(); });
    viewer.showModal();
    EXPECT_EQ(messages_->records().size(), 1u);
}

}  // namespace
