// The progress window, the message box's reading of the Basic flags, help links, and the viewer
// environment over the component's state.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <fstream>

#include "TestSupport.h"
#include "common/ThreadState.h"
#include "qvc/ResManager.h"
#include "qvc/ui/HeadlessHelp.h"
#include "qvc/ui/MessageBox.h"
#include "qvc/ui/Services.h"
#include "qvc/viewer/QtHelp.h"
#include "qvc/viewer/QtMessageBox.h"
#include "qvc/viewer/QtProgressWindow.h"
#include "qvc/viewer/frmReportViewer.h"
#include "registration/ComponentViewerEnvironment.h"

using namespace qvc;
using namespace qvc::viewer;

TEST(ProgressWindow, ShowsWhatTheBuilderSetsAndNeverBlocks) {
    QtProgressWindow progress;
    progress.setLabel("Please wait...");
    progress.showNonModal();  // returns at once
    frmPopUp* w = progress.window();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible() && !w->isModal());
    EXPECT_EQ(w->lblText->text(), "Please wait...");
    progress.setValue(33);
    progress.refresh();
    EXPECT_EQ(w->pbBar->value(), 33);
    EXPECT_EQ(test::errorNumberOf([&] { progress.setValue(101); }), 5);
    EXPECT_EQ(w->pbBar->value(), 33);
    progress.unload();
    progress.setLabel("again");  // a later use loads a fresh, hidden window with an empty bar
    ASSERT_NE(progress.window(), nullptr);
    EXPECT_EQ(progress.window()->pbBar->value(), 0);
    EXPECT_FALSE(progress.window()->isVisible());
    progress.unload();
}

TEST(QtMessageBoxFlags, IconsButtonsDefaultsAndTheAnswer) {
    using SB = QMessageBox::StandardButton;
    namespace mb = ui::mb;
    const struct {
        int32_t flags;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        SB defaultButton, escapeButton;
    } cases[] = {
        {mb::kYesNo | mb::kQuestion | mb::kDefaultButton2, QMessageBox::Question, SB::Yes | SB::No,
         SB::No, SB::No},
        {mb::kYesNoCancel | mb::kExclamation | mb::kDefaultButton3, QMessageBox::Warning,
         SB::Yes | SB::No | SB::Cancel, SB::Cancel, SB::Cancel},
        {mb::kAbortRetryIgnore | mb::kCritical, QMessageBox::Critical,
         SB::Abort | SB::Retry | SB::Ignore, SB::Abort, SB::NoButton},
    };
    for (const auto& c : cases) {
        QMessageBox box;
        QtMessageBox::prepare(box, "Delete the case?", c.flags, "Design Cases");
        EXPECT_EQ(box.icon(), c.icon) << c.flags;
        EXPECT_EQ(box.standardButtons(), c.buttons) << c.flags;
        EXPECT_EQ(box.defaultButton(), static_cast<QPushButton*>(box.button(c.defaultButton)));
        EXPECT_EQ(box.escapeButton(), box.button(c.escapeButton)) << c.flags;
    }
    const std::pair<SB, int32_t> answers[] = {{SB::Ok, mb::kOk},         {SB::Cancel, mb::kCancel},
                                              {SB::Abort, mb::kAbort},   {SB::Retry, mb::kRetry},
                                              {SB::Ignore, mb::kIgnore}, {SB::Yes, mb::kYes}};
    for (const auto& [button, answer] : answers)
        EXPECT_EQ(QtMessageBox::resultOf(button), answer);
    QtMessageBox service;  // a real box: the button pressed is the answer
    QTimer::singleShot(50, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->button(SB::No)->click();
    });
    EXPECT_EQ(service.show("Continue?", mb::kYesNoCancel, "Question"), mb::kNo);
    const QUrl url = QtHelp::address("/opt/qvc/help/viewer page.html", 1000);
    EXPECT_EQ(url.toString(QUrl::FullyEncoded), "file:///opt/qvc/help/viewer%20page.html#ctx-1000");
}

TEST(ComponentEnvironment, TextsErrorsTemporaryFolderAndHelpOfTheComponent) {
    resetThreadState();
    ui::Services::reset();
    ResManager().SetResourceDB(QVC_RESOURCE_DB);
    const std::filesystem::path work = test::freshDir("viewer", "component");
    threadState().strTempPath = work.string();
    ComponentViewerEnvironment env;
    EXPECT_EQ(env.formatError("76#Path not found#SaveDocument#FrmReportViewer#"),
              "Error 76 - Path not found\r\nProcedure - SaveDocument\r\nModule - FrmReportViewer");
    EXPECT_EQ(env.text("gXstrSaveRpt"), "Save Report As");
    EXPECT_EQ(env.tempFolder(), work.string());
    auto help = std::make_shared<ui::HeadlessHelp>();
    ui::Services::setHelp(help);
    std::ofstream(work / "viewer.html") << "<html></html>";
    ResManager().SetHelpFile((work / "viewer.html").string());
    env.showHelp(viewer::frmReportViewer::HelpContextID);
    ASSERT_EQ(help->requests().size(), 1u);
    EXPECT_EQ(help->requests()[0].context, 1000);
    resetThreadState();
    ui::Services::reset();
}
