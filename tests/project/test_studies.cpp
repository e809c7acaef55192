#include <gtest/gtest.h>

#include "ProjectFixture.h"

namespace qvc {
namespace {

using StudyOperations = test::ProjectFixture;

TEST_F(StudyOperations, AddedStudyReadsBackWithEveryMemberAndNotifiesOnce) {
    EXPECT_EQ(prj.GetMaxStudyID(), 1);  // empty table
    EXPECT_EQ(prj.chkMaxStudyAndCase(), 0);
    cStudy in = sampleStudy();
    prj.addStudyDetails(in);
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(notifier->calls, std::vector<bool>{true});
    const int16_t id = prj.GetMaxStudyID();
    EXPECT_EQ(id, 1);
    cStudy out;
    prj.getStudyDetails(id, out);
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(out.StudyTitle, "Office HVAC");
    EXPECT_EQ(out.StudyDescription, in.StudyDescription);
    EXPECT_EQ(out.TypeOfAnalysis, 0);
    EXPECT_EQ(out.BaseYear, 2026);
    EXPECT_EQ(out.CurSymbol, "$");
    EXPECT_EQ(out.Lifecycle, 25);
    EXPECT_EQ(out.DiscountRate, 3.5);
    EXPECT_TRUE(out.CalcIncomeTaxes);
    EXPECT_EQ(out.IncomeTaxes, 28.0);
    EXPECT_EQ(scalar("SELECT iStudyCopy FROM tblStudy").toInt32(), 0);
    EXPECT_EQ(scalar("SELECT bStudyArchive + 0 FROM tblStudy").toInt32(), 0);
    EXPECT_EQ(threadState().gdbProject, nullptr) << "nothing stays open between calls";
}

TEST_F(StudyOperations, MissingStudyLeavesTheObjectAloneWithoutError) {
    prj.addStudyDetails(sampleStudy());
    cStudy out = sampleStudy("kept");
    prj.getStudyDetails(42, out);
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(out.StudyTitle, "kept");
    prj.updateStudyDetails(42, sampleStudy("nowhere"));
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(notifier->calls.size(), 1u);
    EXPECT_EQ(count("tblStudy", "sStudyTitle = 'nowhere'"), 0);
}

TEST_F(StudyOperations, NullDescriptionReadsAsEmptyAndUpdateRestartsTheCopyCounter) {
    prj.addStudyDetails(sampleStudy());
    {
        auto db = dao::Database::Open((dir / "ORV30.mdb").string());
        db->Execute("UPDATE tblStudy SET sStudyDescription = NULL, iStudyCopy = 2");
    }
    cStudy out;
    prj.getStudyDetails(1, out);
    EXPECT_EQ(out.StudyDescription, "");
    out.StudyTitle = "Renamed";
    out.Lifecycle = 30;
    prj.updateStudyDetails(1, out);
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(notifier->calls.size(), 2u);
    EXPECT_EQ(scalar("SELECT iStudyCopy FROM tblStudy").toInt32(), 0);
    EXPECT_EQ(scalar("SELECT sStudyTitle FROM tblStudy").toText(), "Renamed");
    EXPECT_EQ(scalar("SELECT nLifecycle FROM tblStudy").toInt32(), 30);
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
    prj.addStudyDetails(sampleStudy());
    EXPECT_EQ(prj.getErrorMsg(), missing + "#addStudyDetails#cORVProject#");
    prj.clearError();
    EXPECT_EQ(prj.getErrorMsg(), "");
    prj.updateStudyDetails(1, sampleStudy());
    EXPECT_EQ(prj.getErrorMsg(), missing + "#updateStudyDetails#cORVProject#");
    EXPECT_EQ(prj.chkMaxStudyAndCase(), 0);
    EXPECT_EQ(prj.getErrorMsg(), record);
    EXPECT_EQ(prj.GetMaxStudyID(), 0);
    EXPECT_EQ(prj.GetMaxCaseID(), 0);
    cStudy s = sampleStudy("unchanged");
    prj.getStudyDetails(1, s);
    EXPECT_EQ(prj.getErrorMsg(), record);
    EXPECT_EQ(s.StudyTitle, "unchanged");
    cDesignCase c;
    c.CaseTitle = "x";
    prj.addCaseDetails(1, c);
    EXPECT_EQ(prj.getErrorMsg(), missing + "#addCaseDetails#cORVProject#");
    int16_t id = -5;
    std::string title = "t";
    prj.addCaseDetailsWEX(1, c, id, title);
    EXPECT_EQ(prj.getErrorMsg(), missing + "#addCaseDetailsWEX#cORVProject#");
    EXPECT_EQ(id, -5);
    prj.getCaseDetails(1, 1, c);
    EXPECT_EQ(prj.getErrorMsg(), record);
    prj.updateCaseDetails(1, 1, c);
    EXPECT_EQ(prj.getErrorMsg(), missing + "#updateCaseDetails#cORVProject#");
    EXPECT_TRUE(notifier->calls.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "none"));
}

TEST_F(StudyOperations, WriteFailureSavesNothingAndNamesTheOperation) {
    // A text column holding a number is fine, but a 16-bit column refuses text:
    // force that by changing the declared type of a column the add writes.
    {
        auto db = dao::Database::Open((dir / "ORV30.mdb").string());
        db->Execute(
            "DROP TABLE tblStudy; CREATE TABLE tblStudy (iStudyId INTEGER PRIMARY KEY "
            "AUTOINCREMENT, "
            "sStudyTitle SHORT, sStudyDescription TEXT, nTypeOfAnalysis SHORT, nTypeOfAlts SHORT, "
            "nBaseYear SHORT, sCurrSymbol TEXT, nLifecycle SHORT, dDiscountRate DOUBLE, "
            "bCalcIncomeTaxes YESNO, dIncomeTaxRate DOUBLE, iStudyCopy SHORT, bStudyArchive "
            "YESNO)");
    }
    prj.addStudyDetails(sampleStudy());
    EXPECT_EQ(prj.getErrorMsg(), "13#Type mismatch#addStudyDetails#cORVProject#");
    EXPECT_EQ(count("tblStudy"), 0);
    EXPECT_TRUE(notifier->calls.empty());
    EXPECT_EQ(threadState().gdbProject, nullptr);
}

}  // namespace
}  // namespace qvc
