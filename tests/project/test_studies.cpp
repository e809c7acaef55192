// Studies: written, read back, updated, counted, and what every operation
// reports when the project file is missing or refuses a value.

#include <gtest/gtest.h>

#include <functional>

#include "ProjectFixture.h"

namespace qvc {
namespace {

using StudyOperations = test::ProjectFixture;

TEST_F(StudyOperations, StudyRoundTripsUpdatesAndNotifiesOncePerChange) {
    EXPECT_EQ(prj.GetMaxStudyID(), 1);  // empty table
    EXPECT_EQ(prj.chkMaxStudyAndCase(), 0);
    const cStudy in = sampleStudy();
    prj.addStudyDetails(in);
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(notifier->calls, std::vector<bool>{true});
    EXPECT_EQ(prj.GetMaxStudyID(), 1);
    cStudy out;
    prj.getStudyDetails(1, out);
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(out.StudyTitle, in.StudyTitle);
    EXPECT_EQ(out.StudyDescription, in.StudyDescription);
    EXPECT_EQ(out.TypeOfAnalysis, in.TypeOfAnalysis);
    EXPECT_EQ(out.BaseYear, in.BaseYear);
    EXPECT_EQ(out.CurSymbol, in.CurSymbol);
    EXPECT_EQ(out.Lifecycle, in.Lifecycle);
    EXPECT_EQ(out.DiscountRate, in.DiscountRate);
    EXPECT_EQ(out.CalcIncomeTaxes, in.CalcIncomeTaxes);
    EXPECT_EQ(out.IncomeTaxes, in.IncomeTaxes);
    EXPECT_EQ(scalar("SELECT bStudyArchive + 0 FROM tblStudy").toInt32(), 0);
    EXPECT_EQ(threadState().gdbProject, nullptr) << "nothing stays open between calls";

    // A Null description reads as empty; an update restarts the copy counter.
    execute("UPDATE tblStudy SET sStudyDescription = NULL, iStudyCopy = 2");
    prj.getStudyDetails(1, out);
    EXPECT_EQ(out.StudyDescription, "");
    out.StudyTitle = "Renamed";
    out.Lifecycle = 30;
    prj.updateStudyDetails(1, out);
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(notifier->calls.size(), 2u);
    EXPECT_EQ(scalar("SELECT iStudyCopy FROM tblStudy").toInt32(), 0);
    prj.getStudyDetails(1, out);
    EXPECT_EQ(out.StudyTitle, "Renamed");
    EXPECT_EQ(out.Lifecycle, 30);

    // A study that does not exist: the object is left alone, nothing written.
    cStudy kept = sampleStudy("kept");
    prj.getStudyDetails(42, kept);
    EXPECT_EQ(kept.StudyTitle, "kept");
    prj.updateStudyDetails(42, sampleStudy("nowhere"));
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(notifier->calls.size(), 2u);
    EXPECT_EQ(count("tblStudy", "sStudyTitle = 'nowhere'"), 0);
}

TEST_F(StudyOperations, CountersForStudiesAndCases) {
    prj.addStudyDetails(sampleStudy("A"));
    prj.addStudyDetails(sampleStudy("B"));
    cDesignCase c;
    c.CaseTitle = "Base";
    prj.addCaseDetails(2, c);
    prj.addCaseDetails(2, c);
    EXPECT_EQ(prj.chkMaxStudyAndCase(), 2);
    EXPECT_EQ(prj.chkMaxStudyAndCase(2), 2);
    EXPECT_EQ(prj.chkMaxStudyAndCase(1), 0);
    EXPECT_EQ(prj.chkMaxStudyAndCase(5), 0);
    EXPECT_EQ(prj.GetMaxStudyID(), 2);
    EXPECT_EQ(prj.GetMaxCaseID(), 2);
    EXPECT_EQ(notifier->calls.size(), 2u) << "case operations do not notify";
}

TEST_F(StudyOperations, MissingDatabaseFailsEveryOperationWithTheOpenRecord) {
    prj.setWorkPath((dir / "none").string(), "", "");
    const std::string missing =
        "3024#Could not find file '" + (dir / "none" / "ORV30.mdb").string() + "'";
    const std::string record = missing + "#openDB#cDBoperations #";
    cStudy s = sampleStudy("unchanged");
    cDesignCase c;
    c.CaseTitle = "x";
    int16_t id = -5;
    std::string title = "t";
    // Writes name the operation; reads give the opening's own record.
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { prj.addStudyDetails(s); }, missing + "#addStudyDetails#cORVProject#"},
        {[&] { prj.updateStudyDetails(1, s); }, missing + "#updateStudyDetails#cORVProject#"},
        {[&] { EXPECT_EQ(prj.chkMaxStudyAndCase(), 0); }, record},
        {[&] { EXPECT_EQ(prj.GetMaxStudyID(), 0); }, record},
        {[&] { EXPECT_EQ(prj.GetMaxCaseID(), 0); }, record},
        {[&] { prj.getStudyDetails(1, s); }, record},
        {[&] { prj.addCaseDetails(1, c); }, missing + "#addCaseDetails#cORVProject#"},
        {[&] { prj.addCaseDetailsWEX(1, c, id, title); },
         missing + "#addCaseDetailsWEX#cORVProject#"},
        {[&] { prj.getCaseDetails(1, 1, c); }, record},
        {[&] { prj.updateCaseDetails(1, 1, c); }, missing + "#updateCaseDetails#cORVProject#"},
    };
    for (const auto& [operation, expected] : cases) {
        prj.clearError();
        operation();
        EXPECT_EQ(prj.getErrorMsg(), expected);
    }
    EXPECT_EQ(s.StudyTitle, "unchanged");
    EXPECT_EQ(id, -5);
    EXPECT_TRUE(notifier->calls.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "none"));
}

TEST_F(StudyOperations, WriteFailureSavesNothingAndNamesTheOperation) {
    // A 16-bit column refuses text: declare the title column 16-bit.
    execute(
        "DROP TABLE tblStudy; CREATE TABLE tblStudy (iStudyId INTEGER PRIMARY KEY AUTOINCREMENT, "
        "sStudyTitle SHORT, sStudyDescription TEXT, nTypeOfAnalysis SHORT, nTypeOfAlts SHORT, "
        "nBaseYear SHORT, sCurrSymbol TEXT, nLifecycle SHORT, dDiscountRate DOUBLE, "
        "bCalcIncomeTaxes YESNO, dIncomeTaxRate DOUBLE, iStudyCopy SHORT, bStudyArchive YESNO)");
    prj.addStudyDetails(sampleStudy());
    EXPECT_EQ(prj.getErrorMsg(), "13#Type mismatch#addStudyDetails#cORVProject#");
    EXPECT_EQ(count("tblStudy"), 0);
    EXPECT_TRUE(notifier->calls.empty());
    EXPECT_EQ(threadState().gdbProject, nullptr);
}

}  // namespace
}  // namespace qvc
