#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "RtfReader.h"
#include "TestSupport.h"
#include "qvc/document/DocumentObject.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/ui/HeadlessReportViewer.h"
#include "qvc/ui/Services.h"

namespace fs = std::filesystem;
using namespace qvc;

namespace {

const char* const kReports[] = {"Study Inputs.RTF", "Office_Life-Cycle Summary.RTF"};

// Which of the two reports built in `work` are left after the batch viewer saved into `out`.
std::vector<bool> runViewer(const fs::path& work, const fs::path& out) {
    ui::Services::reset();
    ui::Services::setOutputFolder(out);
    ui::HeadlessReportViewer viewer;
    viewer.loadHidden();
    doc::DocumentObject docs;
    docs.AttachWindow(viewer.documentView(), viewer.ownerHandle());
    for (const char* name : kReports) {
        docs.NewDocument(name, work.string());
        docs.AddText(std::string("Report ") + name, 12.0f);
        docs.FinishDocument(true, 0);
    }
    viewer.setDocument(docs);
    viewer.showModal();
    viewer.unload();
    ui::Services::reset();
    return {fs::exists(work / kReports[0]), fs::exists(work / kReports[1])};
}

}  // namespace

TEST(HeadlessViewer, SavesIntoTheOutputFolderAndRemovesOnlyWhatThisRunCreated) {
    const fs::path work = test::freshDir("ui", "work"), other = test::freshDir("ui", "other");
    std::ofstream(work / "Study Inputs.RTF.tmp") << "the user's notes";
    EXPECT_EQ(runViewer(work, work), (std::vector<bool>{true, true}));  // they are the reports
    // Into another folder: the working files replaced reports this run did not create.
    EXPECT_EQ(runViewer(work, other), (std::vector<bool>{true, true}));
    EXPECT_NE(test::readRtfFile(other / kReports[1]).bodyText().find(kReports[1]),
              std::string::npos);
    fs::remove(work / kReports[1]);  // a new working file goes, the older one stays
    EXPECT_EQ(runViewer(work, other), (std::vector<bool>{true, false}));
    const fs::path own = test::freshDir("ui", "own");  // no output folder: the files stay
    EXPECT_EQ(runViewer(own, {}), (std::vector<bool>{true, true}));
    EXPECT_TRUE(fs::exists(work / "Study Inputs.RTF.tmp"));
    EXPECT_EQ(test::errorNumberOf([&] { runViewer(own, own / "missing"); }),
              rt::err::kPathNotFound);
}
