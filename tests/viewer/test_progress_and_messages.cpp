// The progress window (caption, label, bar values, never blocking, unloading and
// loading again), the message box's mapping of the Basic flags, the help address.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "qvc/runtime/Error.h"
#include "qvc/ui/MessageBox.h"
#include "qvc/viewer/QtHelp.h"
#include "qvc/viewer/QtMessageBox.h"
#include "qvc/viewer/QtProgressWindow.h"

using namespace qvc;
using namespace qvc::viewer;

TEST(ProgressWindow, ShowsWhatTheBuilderSetsAndNeverBlocks) {
    QtProgressWindow progress;
    EXPECT_EQ(progress.window(), nullptr);
    progress.setValue(0);
    ASSERT_NE(progress.window(), nullptr);
    EXPECT_EQ(progress.window()->windowTitle(), "<title>");  // the design caption
    progress.setLabel("Please wait... Life-Cycle Summary report is being generated");
    progress.setCaption("Report Status");
    progress.showNonModal();  // returns at once
    progress.refresh();
    frmPopUp* w = progress.window();
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(w->windowTitle(), "Report Status");
    EXPECT_EQ(w->lblText->text(), "Please wait... Life-Cycle Summary report is being generated");
    EXPECT_EQ(w->pbBar->minimum(), 0);
    EXPECT_EQ(w->pbBar->maximum(), 100);

    // Four sub-codes: Int(100 / 3 * k) after each, then 100.
    std::vector<int> shown;
    for (int k = 0; k <= 3; ++k) {
        progress.setValue(static_cast<int32_t>(100 / 3.0 * k));
        progress.refresh();
        shown.push_back(w->pbBar->value());
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 33, 66, 100}));
    progress.setLabel("Done");
    progress.refresh();
    EXPECT_EQ(w->lblText->text(), "Done");

    try {
        progress.setValue(101);
        FAIL() << "101 accepted";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), 5);
    }
    EXPECT_THROW(progress.setValue(-1), rt::Error);
    EXPECT_EQ(w->pbBar->value(), 100);

    progress.unload();
    EXPECT_EQ(progress.window(), nullptr);
    // A later use loads a fresh window with the design caption and an empty bar.
    progress.setLabel("again");
    ASSERT_NE(progress.window(), nullptr);
    EXPECT_EQ(progress.window()->windowTitle(), "<title>");
    EXPECT_EQ(progress.window()->pbBar->value(), 0);
    EXPECT_FALSE(progress.window()->isVisible());
    progress.unload();
}

TEST(QtMessageBoxFlags, IconsButtonsDefaultsAndResults) {
    {
        QMessageBox box;
        QtMessageBox::prepare(box, "Delete the case?",
                              ui::mb::kYesNo | ui::mb::kQuestion | ui::mb::kDefaultButton2,
                              "Design Cases");
        EXPECT_EQ(box.text(), "Delete the case?");
        EXPECT_EQ(box.windowTitle(), "Design Cases");
        EXPECT_EQ(box.icon(), QMessageBox::Question);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(box.defaultButton(), static_cast<QPushButton*>(box.button(QMessageBox::No)));
        EXPECT_EQ(box.escapeButton(), box.button(QMessageBox::No));
    }
    {
        QMessageBox box;
        QtMessageBox::prepare(box, "Reports cannot be generated", ui::mb::kInformation, "");
        EXPECT_EQ(box.icon(), QMessageBox::Information);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
        EXPECT_EQ(box.windowTitle(), "QVComponents");  // no title: the application's name
    }
    {
        QMessageBox box;
        QtMessageBox::prepare(
            box, "x", ui::mb::kYesNoCancel | ui::mb::kExclamation | ui::mb::kDefaultButton3, "t");
        EXPECT_EQ(box.icon(), QMessageBox::Warning);
        EXPECT_EQ(box.defaultButton(), static_cast<QPushButton*>(box.button(QMessageBox::Cancel)));
        EXPECT_EQ(box.escapeButton(), box.button(QMessageBox::Cancel));
    }
    {
        QMessageBox box;
        QtMessageBox::prepare(box, "x", ui::mb::kAbortRetryIgnore | ui::mb::kCritical, "t");
        EXPECT_EQ(box.icon(), QMessageBox::Critical);
        EXPECT_EQ(box.defaultButton(), static_cast<QPushButton*>(box.button(QMessageBox::Abort)));
    }
    EXPECT_EQ(QtMessageBox::resultOf(QMessageBox::Yes), ui::mb::kYes);
    EXPECT_EQ(QtMessageBox::resultOf(QMessageBox::No), ui::mb::kNo);
    EXPECT_EQ(QtMessageBox::resultOf(QMessageBox::Retry), ui::mb::kRetry);
    EXPECT_EQ(QtMessageBox::resultOf(QMessageBox::Ignore), ui::mb::kIgnore);
    EXPECT_EQ(QtMessageBox::resultOf(QMessageBox::Cancel), ui::mb::kCancel);

    // A real box: the button pressed is the answer.
    QtMessageBox service;
    QTimer::singleShot(50, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(service.show("Continue?", ui::mb::kYesNo, "Question"), ui::mb::kNo);
}

TEST(QtHelpAddress, FileUrlWithTheContextAnchor) {
    const QUrl url = QtHelp::address("/opt/qvc/help/viewer page.html", 1000);
    EXPECT_TRUE(url.isLocalFile());
    EXPECT_EQ(url.toLocalFile(), "/opt/qvc/help/viewer page.html");
    EXPECT_EQ(url.fragment(), "ctx-1000");
    EXPECT_EQ(url.toString(QUrl::FullyEncoded), "file:///opt/qvc/help/viewer%20page.html#ctx-1000");
}
