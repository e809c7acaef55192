// The report viewer window driven as a user drives it, and its message box.

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <fstream>

#include "FakeEnv.h"
#include "LayoutChecks.h"
#include "RtfReader.h"
#include "SampleDocument.h"
#include "TestSupport.h"
#include "qvc/runtime/ScopedEnv.h"
#include "qvc/ui/FixedViewerEnvironment.h"
#include "qvc/ui/HeadlessMessageBox.h"
#include "qvc/ui/MessageBox.h"
#include "qvc/ui/Services.h"
#include "qvc/viewer/QtMessageBox.h"
#include "qvc/viewer/QtReportViewer.h"
#include "qvc/viewer/frmReportViewer.h"

namespace fs = std::filesystem;
using namespace qvc;
using namespace qvc::viewer;

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override {  // then the font caches, which the leak checker would report
        app_.reset();
        cairo_debug_reset_static_data();
        FcFini();
    }

  private:
    int argc_ = 1;
    char name_[16] = "viewer_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const kQtApplication =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

enum Button { kSave = 1, kPrint, kPrevious, kNext, kZoomIn, kZoomOut };

struct ScriptedChooser : SaveFileChooser {
    explicit ScriptedChooser(std::optional<QString> a) : answer(std::move(a)) {}
    std::optional<QString> choose(QWidget*, const SaveFileRequest& request) override {
        requests.push_back(request);
        return answer;
    }
    std::optional<QString> answer;
    std::vector<SaveFileRequest> requests;
};

struct RecordingPrinter : ui::Printer {
    void print(const doc::DocumentObject&, int32_t index, bool showDialog) override {
        calls.emplace_back(index, showDialog);
    }
    std::vector<std::pair<int32_t, bool>> calls;
};

class ViewerWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ui::Services::reset();
        ui::Services::setMessageBox(messages_);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        work_ = test::freshDir("viewer", info->name());
    }
    void TearDown() override { ui::Services::reset(); }

    std::unique_ptr<frmReportViewer> load(doc::DocumentObject& docs,
                                          const std::vector<std::string>& names) {
        for (const std::string& name : names)
            test::buildShortDocument(docs, work_.string(), name, "Text of " + name);
        auto w = std::make_unique<frmReportViewer>(env_);
        EXPECT_EQ(docs.AttachWindow(w->Toc1, 1), 1);
        docs.ActivateDocument(1);
        w->SetDocument(docs);
        return w;
    }
    static void click(frmReportViewer& w, int index) {
        QTest::mouseClick(w.tlbReport->widgetForAction(w.button(index)), Qt::LeftButton);
    }
    static void moveOverToolbar(frmReportViewer& w) {
        QWidget* b = w.tlbReport->widgetForAction(w.button(kPrint));
        QMouseEvent move(QEvent::MouseMove, QPointF(4, 4), b->mapToGlobal(QPointF(4, 4)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(b, &move);
    }
    static std::string shownText(const frmReportViewer& w) {
        return test::pageText(w.Toc1->pages().pages.at(0));
    }
    std::vector<ui::MessageRecord> messages() const { return messages_->records(); }

    std::shared_ptr<ui::HeadlessMessageBox> messages_ = std::make_shared<ui::HeadlessMessageBox>();
    std::shared_ptr<ui::FixedViewerEnvironment> env_ =
        std::make_shared<ui::FixedViewerEnvironment>(ui::FixedViewerEnvironment::english());
    fs::path work_;
};

}  // namespace

TEST_F(ViewerWindow, DrawsZoomsPagesAndPrints) {
    doc::DocumentObject docs;
    auto w = load(docs, {"First.RTF", "Second.RTF", "Third.RTF"});
    w->show();  // the page and its text drawn on screen
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    const QImage shown = w->Toc1->viewport()->grab().toImage();
    int inked = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            inked += qGray(shown.pixel(x, y)) < 60;
    EXPECT_GT(inked, 200);
    const double scale100 = w->Toc1->scale();
    // Five clicks in (the last at the 200 % limit), nine out, one in.
    const std::vector<int> zooms{125, 150, 175, 200, 200, 175, 150, 125, 100, 75, 50, 25, 25, 50};
    for (size_t i = 0; i < zooms.size(); ++i) {
        const int zoom = zooms[i];
        click(*w, i < 5 || i == 13 ? kZoomIn : kZoomOut);
        EXPECT_EQ(docs.zoom(), zoom);
        EXPECT_DOUBLE_EQ(w->Toc1->scale(), scale100 * zoom / 100);
        EXPECT_EQ(w->button(kZoomIn)->isEnabled(), zoom < 200);
        EXPECT_EQ(w->button(kZoomOut)->isEnabled(), zoom > 25);
    }
    moveOverToolbar(*w);
    EXPECT_FALSE(w->button(kPrevious)->isEnabled());
    EXPECT_TRUE(w->button(kNext)->isEnabled());
    const struct {
        Button button;
        int32_t active;
        bool previous, next;
    } steps[] = {{kNext, 2, true, true},
                 {kNext, 3, true, false},
                 {kNext, 3, true, false},  // disabled: nothing happens
                 {kPrevious, 2, true, true},
                 {kPrevious, 1, false, true}};
    for (const auto& s : steps) {
        click(*w, s.button);
        EXPECT_EQ(docs.activeIndex(), s.active);
        EXPECT_TRUE(shownText(*w).starts_with(docs.document(s.active).FileName()));
        EXPECT_EQ(w->button(kPrevious)->isEnabled(), s.previous);
        EXPECT_EQ(w->button(kNext)->isEnabled(), s.next);
        EXPECT_EQ(w->zoom(), 100) << "a new document starts at 100 %";
    }
    auto printer = std::make_shared<RecordingPrinter>();
    ui::Services::setPrinter(printer);
    click(*w, kNext);
    click(*w, kPrint);
    w->mnuprint->trigger();
    EXPECT_EQ(printer->calls, (std::vector<std::pair<int32_t, bool>>{{2, true}, {2, true}}));
    ui::Services::setPrinter(nullptr);
    w->PrintReport(0);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.starts_with("Error 68 - "));
}

TEST_F(ViewerWindow, SaveWritesACopyAndNeverHarmsAFile) {
    env_->setTempFolder(work_.string());
    const fs::path elsewhere = test::freshDir("viewer", "save-elsewhere");
    doc::DocumentObject docs;
    auto w = load(docs, {"Summary.RTF", "Details.RTF"});
    click(*w, kNext);
    const fs::path working = work_ / "Details.RTF";
    const auto stamp = fs::last_write_time(working);
    auto chooser = std::make_shared<ScriptedChooser>(
        QString::fromStdString((elsewhere / "My copy.rtf").string()));
    w->setSaveFileChooser(chooser);
    click(*w, kSave);

    ASSERT_EQ(chooser->requests.size(), 1u);
    EXPECT_EQ(chooser->requests[0].fileName, "Details.RTF");
    EXPECT_EQ(chooser->requests[0].folder.toStdString(), work_.string());
    const std::string copy = test::readRtfFile(elsewhere / "My copy.rtf").bodyText();
    EXPECT_NE(copy.find("Text of Details.RTF"), std::string::npos);
    EXPECT_EQ(fs::last_write_time(working), stamp);

    // Cancelling (here from the menu) writes nothing and says nothing.
    w->setSaveFileChooser(std::make_shared<ScriptedChooser>(std::nullopt));
    w->mnusavereportas->trigger();
    EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere), fs::directory_iterator()), 1);

    // The disk fills up half-way through saving over the user's file: it stays as it was.
    test::FakeEnv env;
    env.addFile("/home/ann/Summary.rtf", "the user's summary");
    env.setCapacity(100);
    rt::ScopedEnv scope(env);
    w->setSaveFileChooser(std::make_shared<ScriptedChooser>("/home/ann/Summary.rtf"));
    w->SaveDocument();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.starts_with("Error 61 - ")) << messages()[0].text;
    EXPECT_EQ(env.contents("/home/ann/Summary.rtf"), "the user's summary");
    EXPECT_EQ(env.listFolder("/home/ann"), std::vector<std::string>{"Summary.rtf"});
    EXPECT_EQ(docs.document(2).path(), working);
}

// Reproducer: a report an earlier run saved under a working file's name went at closing.
TEST_F(ViewerWindow, AsTheServiceItShowsModallyAndDeletesOnlyWhatThisRunCreated) {
    std::ofstream(work_ / "A.RTF") << "{\\rtf1 saved by an earlier run}";
    std::ofstream(work_ / "keep.txt") << "not a report";
    doc::DocumentObject docs;
    for (const char* name : {"A.RTF", "B.RTF", "C.RTF"})
        test::buildShortDocument(docs, work_.string(), name, name);
    QtReportViewer viewer(env_);
    viewer.loadHidden();
    EXPECT_EQ(docs.AttachWindow(viewer.documentView(), viewer.ownerHandle()), 1);
    viewer.setDocument(docs);
    docs.ActivateDocument(3);
    EXPECT_TRUE(shownText(*viewer.window()).starts_with("C.RTF"));

    bool wasModal = false;
    QTimer::singleShot(50, [&] {
        wasModal = viewer.window()->isVisible() && viewer.window()->isModal();
        viewer.window()->mnuexit->trigger();
    });
    viewer.setActivationNotice("The text cash flow file has been saved as /tmp/x/CF.TXT");
    viewer.showModal();  // returns once closed
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(messages().size(), 1u);  // the notice, shown when the window opened
    std::vector<std::string> left;
    for (const auto& f : fs::directory_iterator(work_))
        left.push_back(f.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"A.RTF", "keep.txt"}));
    viewer.unload();
    EXPECT_EQ(docs.attachedWindow(), nullptr);
}

TEST(QtMessageBoxFlags, ButtonsDefaultsAndTheAnswer) {
    using SB = QMessageBox::StandardButton;
    namespace mb = ui::mb;
    QMessageBox question;
    QtMessageBox::prepare(question, "Delete the case?",
                          mb::kYesNo | mb::kQuestion | mb::kDefaultButton2, "Design Cases");
    EXPECT_EQ(question.standardButtons(), SB::Yes | SB::No);
    EXPECT_EQ(question.defaultButton(), question.button(SB::No));
    EXPECT_EQ(question.escapeButton(), question.button(SB::No));
    QtMessageBox service;  // a real box: the button pressed is the answer
    QTimer::singleShot(50, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->button(SB::No)->click();
    });
    EXPECT_EQ(service.show("Continue?", mb::kYesNoCancel, "Question"), mb::kNo);
}
