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

// Runs the batch viewer on two reports built in `work`, saving into `out`.
std::vector<fs::path> runViewer(const fs::path& work, const fs::path& out) {
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
    std::vector<fs::path> saved = viewer.savedFiles();
    EXPECT_EQ(docs.document(1).FileFolder(), work.string()) << "the working folder is kept";
    viewer.unload();
    EXPECT_EQ(docs.attachedWindow(), nullptr);
    ui::Services::reset();
    return saved;
}

}  // namespace

// On unloading the batch viewer removes only the working files this run created.
TEST(HeadlessViewer, SavesIntoTheOutputFolderAndRemovesOnlyWhatThisRunCreated) {
    const fs::path work = test::freshDir("ui", "work");
    const fs::path other = test::freshDir("ui", "other");
    std::ofstream(work / "Study Inputs.RTF.tmp") << "the user's notes";
    auto exists = [](const fs::path& dir) {
        return std::vector<bool>{fs::exists(dir / kReports[0]), fs::exists(dir / kReports[1])};
    };
    // Output folder = working folder: the working files are the saved reports.
    EXPECT_EQ(runViewer(work, work),
              (std::vector<fs::path>{work / kReports[0], work / kReports[1]}));
    EXPECT_EQ(exists(work), (std::vector<bool>{true, true}));
    // Into another folder: the working files replaced reports this run did not create.
    EXPECT_EQ(runViewer(work, other)[1], other / kReports[1]);
    EXPECT_EQ(exists(work), (std::vector<bool>{true, true}));
    EXPECT_NE(test::readRtfFile(other / kReports[1]).bodyText().find(kReports[1]),
              std::string::npos);
    // A working file that is new goes, the older one stays.
    fs::remove(work / kReports[1]);
    runViewer(work, other);
    EXPECT_EQ(exists(work), (std::vector<bool>{true, false}));
    // Without an output folder the working files are the output and stay.
    const fs::path own = test::freshDir("ui", "own");
    runViewer(own, {});
    EXPECT_EQ(exists(own), (std::vector<bool>{true, true}));

    std::string notes;
    std::getline(std::ifstream(work / "Study Inputs.RTF.tmp"), notes);
    EXPECT_EQ(notes, "the user's notes");
    EXPECT_EQ(std::distance(fs::directory_iterator(work), fs::directory_iterator()), 2);

    // A missing output folder is an error naming it.
    try {
        runViewer(own, own / "missing");
        ADD_FAILURE() << "saving into a missing folder must fail";
    } catch (const rt::Error& e) {
        EXPECT_EQ(e.number(), rt::err::kPathNotFound);
        EXPECT_NE(e.description().find("missing"), std::string::npos);
    }
}
