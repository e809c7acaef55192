// Loading a study and its design cases from a project database into the shared
// arrays, the case snapshots, and the engine's collections.

#include <gmock/gmock.h>

#include "CalcProjectFixture.h"
#include "CalculatorProbe.h"
#include "qvc/cORVCalculator.h"
#include "qvc/runtime/Error.h"

namespace qvc::test {
namespace {

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::StartsWith;

class LoadingTest : public CalcProjectTest {
  protected:
    // Two investments, one loan, no annual cost, one other cost.
    static cDesignCase mixedCase(int16_t type) {
        cDesignCase c;
        c.CaseTitle = "Chiller plant";
        c.CaseShortTitle = "Chiller";
        c.CaseDes = "Two chillers";
        c.AnalysisType = type;
        c.setInvCost(1, 250000.5);
        c.setInvYear(1, 0);
        c.setInvEscRate(1, 1.5);
        c.setInvTaxExempt(1, true);
        c.setInvDepMethod(1, 2);
        c.setInvDepLife(1, 15);
        c.setInvUsefulLife(1, 20);
        c.setSalvageValue(1, 10000);
        c.setInvCost(2, 40000);
        c.setInvYear(2, 5);
        c.setLoanYear(1, 0);
        c.setLoanPercent(1, 75);
        c.setLoanTerm(1, 12);
        c.setLoanIntRate(1, 4.25);
        c.setOtherOpCost(1, 15000);
        c.setOtherOpCostStartYear(1, 8);
        c.setOtherOpCostTimes(1, 2);
        c.setOtherOpCostInterval(1, 8);
        return c;
    }
};

TEST_F(LoadingTest, StudyBecomesTenTexts) {
    cStudy s = study("Office HVAC", 0, 25, 3.5);
    s.TypeOfAlternative = 1;
    s.CurSymbol = "EUR";
    s.CalcIncomeTaxes = true;
    s.IncomeTaxes = 28.5;
    cORVCalculator calc;
    calc.StudyID = addStudy(s);
    calc.getStudyDetails();
    EXPECT_EQ(threadState().gErrMsg, "");
    EXPECT_THAT(threadState().arrStudy,
                ElementsAre("Office HVAC", "Plant replacement for the east wing", "0", "1", "2026",
                            "25", "3.5", "True", "28.5", "EUR"));
    EXPECT_EQ(threadState().gdbProject, nullptr);  // closed again

    // A study without taxes and with a Null description.
    s.CalcIncomeTaxes = false;
    calc.StudyID = addStudy(s);
    execute("UPDATE tblStudy SET sStudyDescription = NULL WHERE iStudyId = " +
            std::to_string(calc.StudyID));
    calc.getStudyDetails();
    EXPECT_EQ(threadState().arrStudy[1], "");
    EXPECT_EQ(threadState().arrStudy[7], "False");
}

TEST_F(LoadingTest, MissingStudyLeavesTheArrayAndMissingDatabaseLeavesARecord) {
    cORVCalculator calc;
    threadState().arrStudy = {"keep", "", "2", "0", "2000", "10", "0", "False", "0", "$"};
    const auto before = threadState().arrStudy;
    calc.StudyID = 42;
    calc.getStudyDetails();
    EXPECT_EQ(threadState().arrStudy, before);
    EXPECT_EQ(threadState().gErrMsg, "");

    threadState().StrWorkPath = (dir / "nowhere").string();
    calc.getStudyDetails();
    EXPECT_EQ(threadState().arrStudy, before);
    EXPECT_THAT(threadState().gErrMsg, StartsWith("91#"));
    EXPECT_THAT(threadState().gErrMsg, EndsWith("#getStudyDetails#cORVCalculator#"));
    EXPECT_EQ(threadState().gdbProject, nullptr);
}

TEST_F(LoadingTest, CaseFillsItsListsAndSnapshotsKeepEachCaseUnderItsPosition) {
    const int16_t studyId = addStudy(study("Plant", 0, 25, 3));
    const int16_t first = addCase(studyId, mixedCase(0));
    cDesignCase plain;
    plain.CaseTitle = "Do nothing";
    plain.setAnnOpCost(1, 9000);
    const int16_t second = addCase(studyId, plain);
    auto calc = std::make_unique<cORVCalculator>();
    calc->StudyID = studyId;
    calc->getStudyDetails();
    ThreadState& st = threadState();
    st.arrCaseStatus = {303, 1, 305, 306, 307};  // left from an earlier case

    CalculatorProbe::getCase(*calc, first);
    EXPECT_THAT(st.arrCaseStatus, ElementsAre(0, 0, 0, 306, 0));
    EXPECT_EQ(st.gErrCode, 0);
    EXPECT_EQ(st.gErrMsg, "");
    EXPECT_EQ(st.arrCaseGen(2), "Chiller");
    EXPECT_EQ(st.arrCaseGen(3), "Two chillers");
    ASSERT_TRUE(st.arrInvCosts.isDimensioned());
    EXPECT_EQ(st.arrInvCosts.ubound(1), 10);
    EXPECT_EQ(st.arrInvCosts(2, 1).toDouble(), 250000.5);
    EXPECT_EQ(st.arrInvCosts(4, 1).toDouble(), 1.5);
    EXPECT_TRUE(st.arrInvCosts(5, 1).toBool());
    EXPECT_EQ(st.arrInvCosts(2, 2).toDouble(), 40000);
    ASSERT_TRUE(st.arrLoan.isDimensioned());
    EXPECT_EQ(st.arrLoan.ubound(2), 1);
    EXPECT_EQ(st.arrLoan(6, 1).toDouble(), 4.25);
    EXPECT_FALSE(st.arrAnOpCost.isDimensioned());
    EXPECT_EQ(st.arrOtherCost(5, 1).toInt16(), 8);
    CalculatorProbe::addCaseSnapshot(*calc, 1);
    CalculatorProbe::eraseCaseArrays();
    CalculatorProbe::getCase(*calc, second);
    CalculatorProbe::addCaseSnapshot(*calc, 2);
    CalculatorProbe::eraseCaseArrays();
    EXPECT_FALSE(st.arrCaseGen.isDimensioned());

    ASSERT_EQ(st.colCases.Count(), 2);
    const CaseSnapshot& a = st.colCases.Item("1");
    EXPECT_EQ(a.Gen(1), "Chiller plant");
    EXPECT_EQ(a.Inv.ubound(2), 2);
    EXPECT_FALSE(a.Ann.isDimensioned());
    const CaseSnapshot& b = st.colCases.Item("2");
    EXPECT_FALSE(b.Inv.isDimensioned());
    EXPECT_EQ(b.Ann(2, 1).toDouble(), 9000);
    // The snapshot is a copy: loading another case does not change it.
    CalculatorProbe::getCase(*calc, second);
    st.arrCaseGen(1) = "changed";
    EXPECT_EQ(st.colCases.Item("2").Gen(1), "Do nothing");
    EXPECT_EQ(errorNumberOf([&] { CalculatorProbe::addCaseSnapshot(*calc, 1); }), 457);
    EXPECT_THROW(st.colCases.Item("3"), rt::Error);
    calc.reset();  // ending a calculator drops its snapshots
    EXPECT_EQ(st.colCases.Count(), 0);
}

TEST_F(LoadingTest, MissingCaseRecordIsUnusableOnceTheStudyIsLoaded) {
    const int16_t studyId = addStudy(study("Plant", 3, 10, 3));
    cORVCalculator calc;
    calc.StudyID = studyId;
    ThreadState& st = threadState();

    // Without a loaded study the type of analysis is unknown: no status 308.
    CalculatorProbe::getCase(calc, 999);
    EXPECT_EQ(st.arrCaseStatus[0], 303);
    EXPECT_EQ(st.gErrCode, 0);
    EXPECT_FALSE(st.arrCaseGen.isDimensioned());

    calc.getStudyDetails();
    CalculatorProbe::getCase(calc, 999);
    EXPECT_THAT(st.arrCaseStatus, ElementsAre(303, 0, 305, 306, 307));
    EXPECT_EQ(st.gErrCode, 308);
    EXPECT_EQ(st.gErrMsg, "");
}

TEST_F(LoadingTest, CollectionsAreSizedForTheCasesAndTheirComparisons) {
    cORVCalculator calc;
    for (auto [cases, comparisons] : {std::pair{3, 2}, {1, 1}, {0, 0}}) {
        CalculatorProbe::BuildCollections(calc, static_cast<int16_t>(cases));
        EXPECT_EQ(calc.objLifeCycle->Alternatives().Count(), cases);
        EXPECT_EQ(calc.objLifeCycle->Comparisons().Count(), comparisons);
    }
    EXPECT_EQ(threadState().gErrMsg, "");
}

TEST_F(LoadingTest, ANewCalculatorStartsEmptyAndFailsWithoutAnEngine) {
    ThreadState& st = threadState();
    st.gReportMode = 2;
    st.colCases.Add(CaseSnapshot{}, "1");
    cORVCalculator calc;
    EXPECT_EQ(st.gReportMode, 0);
    EXPECT_EQ(st.colCases.Count(), 0);
    ASSERT_NE(calc.objLifeCycle, nullptr);

    calc.objLifeCycle.reset();
    CalculatorProbe::BuildCollections(calc, 2);
    EXPECT_THAT(st.gErrMsg, StartsWith("91#"));
    EXPECT_THAT(st.gErrMsg, EndsWith("#BuildCollections#cORVCalculator#"));
    st.gErrMsg.clear();
    st.arrStudy = {"S", "", "0", "0", "2026", "20", "3", "False", "0", "$"};
    CalculatorProbe::AssignProperties(calc, "study", 1);
    EXPECT_THAT(st.gErrMsg, EndsWith("#AssignProperties#cORVCalculator#"));

    // An engine failure (a position the engine does not have) is recorded too.
    calc.objLifeCycle = tavlo::createEngine();
    CalculatorProbe::BuildCollections(calc, 1);
    st.gErrMsg.clear();
    CalculatorProbe::AssignProperties(calc, "ann", 2);
    EXPECT_THAT(st.gErrMsg, StartsWith("9#"));
    EXPECT_THAT(st.gErrMsg, EndsWith("#AssignProperties#cORVCalculator#"));
}

}  // namespace
}  // namespace qvc::test
