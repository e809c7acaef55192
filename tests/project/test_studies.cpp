#include <gtest/gtest.h>

#include "ProjectFixture.h"

namespace qvc {
namespace {

class SummaryAndCopies : public test::ProjectFixture {
  protected:
    void addCase(int16_t studyId, const std::string& title) {
        cDesignCase c;
        c.CaseTitle = title;
        c.setInvItemName(1, title + " plant");
        c.setInvCost(1, 1000.0);
        c.setLoanItemName(1, "Loan");
        c.setLoanPercent(1, 50.0);
        c.setAnnOpCostName(1, "Energy");
        c.setAnnOpCost(1, 99.0);
        prj.addCaseDetails(studyId, c);
        ASSERT_EQ(prj.getErrorMsg(), "");
    }
    std::string summary(int16_t id = 0) {
        std::string xml = "(unchanged)";
        prj.getProjectDetails(xml, id);
        return xml;
    }
};

TEST_F(SummaryAndCopies, SummaryListsStudiesWithTheirCasesAndEscapesTexts) {
    prj.addStudyDetails(sampleStudy("A"));
    // cases 3 and 5 of study 1, as after other cases were deleted
    execute(
        "INSERT INTO tblDesignCase (iCaseId, iStudyId, sCaseTitle) VALUES (3, 1, 'X'), (5, 1, "
        "'Y')");
    const std::string first =
        "<study Id='1' StudyTitle='A' CurSymbol='$' LifeCycle='25' TypeofAnalysis='0' "
        "TypeOfAlternatives='0' bTaxChecked='1'><case id='3'>X</case><case id='5'>Y</case></study>";
    EXPECT_EQ(summary(), "<project>" + first + "</project>");
    cStudy odd = sampleStudy("Bob's A&B <new> \"plant\"");
    odd.CurSymbol = "   ";
    odd.TypeOfAnalysis = 2;
    prj.addStudyDetails(odd);
    const std::string second =
        "<study Id='2' StudyTitle='Bob~s A\u00ABB \u00ACnew> \"plant\"' CurSymbol='   ' "
        "LifeCycle='25' TypeofAnalysis='2' TypeOfAlternatives='0' bTaxChecked='1'></study>";
    EXPECT_EQ(summary(), "<project>" + first + second + "</project>");
    EXPECT_EQ(summary(9), "<project></project>");
}

TEST_F(SummaryAndCopies, CopiesOfAStudyAreNumberedAndCarryTheirCases) {
    prj.addStudyDetails(sampleStudy("Base"));
    addCase(1, "Option 1");
    addCase(1, "Option 2");
    std::string xml;
    EXPECT_TRUE(prj.DuplicateStudy(1, xml));
    EXPECT_EQ(
        xml,
        "<project><study Id='2' StudyTitle='Copy (1) of Base' CurSymbol='$' LifeCycle='25' "
        "TypeofAnalysis='0' TypeOfAlternatives='0' bTaxChecked='1'><case id='3'>Option 1</case>"
        "<case id='4'>Option 2</case></study></project>");
    EXPECT_EQ(count("tblInvestmentCost"), 4);
    EXPECT_EQ(count("tblLoanDetails"), 4);
    EXPECT_TRUE(prj.DuplicateStudy(1, xml));
    EXPECT_NE(xml.find("StudyTitle='Copy (2) of Base'"), std::string::npos);
    EXPECT_FALSE(prj.DuplicateStudy(77, xml));
    EXPECT_EQ(prj.getErrorMsg(), "3021#No current record#getNoOfCopies#cDBoperations #");
    EXPECT_EQ(count("tblStudy"), 3);
    // A study without cases copies none, whatever an earlier run left in the case list.
    prj.addStudyDetails(sampleStudy("Empty"));
    threadState().lCaseIDArr.redim(0, 1);
    threadState().lCaseIDArr(1) = 1;
    const int cases = count("tblDesignCase");
    EXPECT_TRUE(prj.DuplicateStudy(4, xml));
    EXPECT_EQ(count("tblDesignCase"), cases);
}

TEST_F(SummaryAndCopies, ACopyThatFailsHalfwayLeavesNothing) {
    // The source cannot be read, a copied case cannot be written, the copied study cannot be.
    prj.addStudyDetails(sampleStudy("Base"));
    addCase(1, "Option 1");
    std::string xml = "kept";
    auto expectNothingCopied = [&](const std::string& error) {
        EXPECT_FALSE(prj.DuplicateStudy(1, xml));
        EXPECT_EQ(prj.getErrorMsg().substr(0, error.size()), error) << prj.getErrorMsg();
        EXPECT_EQ(count("tblStudy"), 1);
        EXPECT_EQ(count("tblDesignCase"), 1);
        EXPECT_EQ(xml, "kept");
    };
    execute("UPDATE tblStudy SET nBaseYear = 70000");
    expectNothingCopied("6#");
    execute(
        "UPDATE tblStudy SET nBaseYear = 2026; "
        "CREATE UNIQUE INDEX onlyOnce ON tblInvestmentCost (sInvItemName)");
    expectNothingCopied("");
    // A title column of 16 bits holds the source's title 123, not "Copy (1) of 123".
    execute(
        "DROP TABLE tblStudy; CREATE TABLE tblStudy (iStudyId INTEGER PRIMARY KEY AUTOINCREMENT, "
        "sStudyTitle SHORT, sStudyDescription TEXT, nTypeOfAnalysis SHORT, nTypeOfAlts SHORT, "
        "nBaseYear SHORT, sCurrSymbol TEXT, nLifecycle SHORT, dDiscountRate DOUBLE, "
        "bCalcIncomeTaxes YESNO, dIncomeTaxRate DOUBLE, iStudyCopy SHORT, bStudyArchive YESNO); "
        "INSERT INTO tblStudy VALUES (1, 123, '', 0, 0, 2026, '$', 20, 3, 0, 0, 0, 0)");
    expectNothingCopied("13#");
}

TEST_F(SummaryAndCopies, CaseCopyMoveAndDelete) {
    prj.addStudyDetails(sampleStudy("Source"));
    prj.addStudyDetails(sampleStudy("Target"));
    addCase(1, "Base");
    std::string xml;
    EXPECT_TRUE(prj.DuplicateCase(1, 1, "D", xml, 2));
    EXPECT_TRUE(prj.DuplicateCase(1, 1, "D", xml, 1));
    EXPECT_NE(xml.find("<case id='3'>Copy (2) of Base</case>"), std::string::npos) << xml;
    EXPECT_TRUE(prj.DuplicateCase(1, 1, "M", xml, 2));
    EXPECT_NE(xml.find("<case id='1'>Base</case><case id='2'>Copy (1) of Base</case></study>"),
              std::string::npos)
        << xml;
    EXPECT_EQ(count("tblInvestmentCost", "iCaseId = 1"), 1) << "items follow the moved case";
    notifier->calls.clear();
    xml = "kept";
    EXPECT_FALSE(prj.DuplicateCase(1, 1, "d", xml, 2));
    EXPECT_EQ(xml, "kept");
    EXPECT_EQ(notifier->calls.size(), 1u);
    // A copy whose summary cannot be made is undone, and not announced.
    execute("UPDATE tblStudy SET sStudyTitle = NULL WHERE iStudyId = 1");
    const int cases = count("tblDesignCase");
    EXPECT_FALSE(prj.DuplicateCase(1, 3, "D", xml, 1));
    EXPECT_EQ(prj.getErrorMsg(), "94#Invalid use of Null#getProjectDetails#cORVProject#");
    EXPECT_EQ(count("tblDesignCase"), cases);
    EXPECT_EQ(xml, "kept");
    std::string message = "untouched";
    EXPECT_TRUE(prj.DeleteCase(2, 1, message));
    EXPECT_EQ(count("tblInvestmentCost", "iCaseId = 1"), 0);
    EXPECT_TRUE(prj.DeleteCase(2, 99, message));
    EXPECT_TRUE(prj.DeleteStudy(2, message));
    EXPECT_EQ(count("tblDesignCase", "iStudyId = 2"), 0);
    EXPECT_EQ(count("tblInvestmentCost", "iCaseId = 2"), 0) << "a study's items go with it";
    EXPECT_EQ(message, "untouched");
    EXPECT_EQ(notifier->calls.size(), 4u);
    prj.setWorkPath((dir / "gone").string(), "", "");
    EXPECT_FALSE(prj.DeleteStudy(1, message));
    EXPECT_EQ(prj.getErrorMsg().substr(0, 5), "3024#") << prj.getErrorMsg();
}

using StudyOperations = test::ProjectFixture;

TEST_F(StudyOperations, StudyRoundTripsUpdatesCountsAndNotifiesOncePerChange) {
    const cStudy in = sampleStudy();
    prj.addStudyDetails(in);
    prj.addStudyDetails(sampleStudy("B"));
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(notifier->calls, (std::vector<bool>{true, true}));
    auto text = [](const cStudy& s) {
        return test::joinedFields(s.StudyTitle, s.StudyDescription, s.BaseYear, s.CurSymbol,
                                  s.Lifecycle, s.DiscountRate, s.CalcIncomeTaxes, s.IncomeTaxes);
    };
    cStudy out;
    prj.getStudyDetails(1, out);
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(text(out), text(in));
    EXPECT_EQ(threadState().gdbProject, nullptr) << "nothing stays open between calls";
    // A Null description reads as empty; an update restarts the copy counter.
    execute("UPDATE tblStudy SET sStudyDescription = NULL, iStudyCopy = 2");
    prj.getStudyDetails(1, out);
    EXPECT_EQ(out.StudyDescription, "");
    out.StudyTitle = "Renamed";
    out.Lifecycle = 30;
    prj.updateStudyDetails(1, out);
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(scalar("SELECT iStudyCopy FROM tblStudy").toInt32(), 0);
    prj.getStudyDetails(1, out);
    EXPECT_EQ(out.StudyTitle, "Renamed");
    EXPECT_EQ(out.Lifecycle, 30);
    // A study that does not exist: nothing written.
    prj.updateStudyDetails(42, sampleStudy("nowhere"));
    EXPECT_EQ(prj.getErrorMsg(), "");
    EXPECT_EQ(count("tblStudy", "sStudyTitle = 'nowhere'"), 0);
    cDesignCase c;
    prj.addCaseDetails(2, c);
    prj.addCaseDetails(2, c);
    EXPECT_EQ(notifier->calls.size(), 3u) << "case operations do not notify";
    EXPECT_EQ(prj.chkMaxStudyAndCase(), 2);
    EXPECT_EQ(prj.GetMaxStudyID(), 2);
    EXPECT_EQ(prj.GetMaxCaseID(), 2);
}

TEST_F(StudyOperations, MissingDatabaseFailsEveryOperationWithTheOpenRecord) {
    prj.setWorkPath((dir / "none").string(), "", "");
    const std::string missing =
        "3024#Could not find file '" + (dir / "none" / "ORV30.mdb").string() + "'";
    cStudy s = sampleStudy("unchanged");
    // Writes name the operation; reads give the opening's own record.
    prj.addStudyDetails(s);
    EXPECT_EQ(prj.getErrorMsg(), missing + "#addStudyDetails#cORVProject#");
    prj.clearError();
    prj.getStudyDetails(1, s);
    EXPECT_EQ(prj.getErrorMsg(), missing + "#openDB#cDBoperations #");
    EXPECT_EQ(s.StudyTitle, "unchanged");
    EXPECT_TRUE(notifier->calls.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "none"));
}

}  // namespace
}  // namespace qvc
