#include <gmock/gmock.h>

#include "CalcFixtures.h"
#include "common/ResourceStrings.h"
#include "qvc/ResManager.h"
#include "qvc/cORVCalculator.h"
#include "qvc/runtime/Error.h"
#include "qvc/ui/HeadlessMessageBox.h"
#include "qvc/ui/HeadlessReportViewer.h"
#include "qvc/ui/Services.h"
#include "tavlo/IAlternative.h"
#include "tavlo/IAlternatives.h"

namespace qvc::test {
namespace {

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::StartsWith;

using LoadingTest = CalcProjectTest;

TEST_F(LoadingTest, StudyBecomesTenTexts) {
    cStudy s = study("Office HVAC", 0, 25, 3.5);
    s.TypeOfAlternative = 1;
    s.CurSymbol = "EUR";
    s.CalcIncomeTaxes = true;
    s.IncomeTaxes = 28.5;
    cORVCalculator calc;
    calc.StudyID = addStudy(s);
    execute("UPDATE tblStudy SET sStudyDescription = NULL");
    calc.getStudyDetails();
    EXPECT_THAT(threadState().arrStudy, ElementsAre("Office HVAC", "", "0", "1", "2026", "25",
                                                    "3.5", "True", "28.5", "EUR"));
    EXPECT_EQ(threadState().gdbProject, nullptr);  // closed again
}

TEST_F(LoadingTest, CaseFillsItsListsAndSnapshotsKeepEachCaseUnderItsPosition) {
    const int16_t studyId = addStudy(study("Plant", 0, 25, 3));
    cDesignCase mixed;  // two investments, one loan, no annual cost, one other cost
    mixed.CaseTitle = "Chiller plant";
    mixed.setInvCost(1, 250000.5);
    mixed.setInvEscRate(1, 1.5);
    mixed.setInvTaxExempt(1, true);
    mixed.setInvCost(2, 40000);
    mixed.setLoanPercent(1, 75);
    mixed.setLoanIntRate(1, 4.25);
    mixed.setOtherOpCost(1, 15000);
    mixed.setOtherOpCostStartYear(1, 8);
    const int16_t first = addCase(studyId, mixed);
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
    EXPECT_EQ(st.arrInvCosts(2, 1).toDouble(), 250000.5);
    EXPECT_EQ(st.arrInvCosts(4, 1).toDouble(), 1.5);
    EXPECT_TRUE(st.arrInvCosts(5, 1).toBool());
    EXPECT_EQ(st.arrLoan(6, 1).toDouble(), 4.25);
    EXPECT_EQ(st.arrOtherCost(3, 1).toInt16(), 8);
    CalculatorProbe::addCaseSnapshot(*calc, 1);
    CalculatorProbe::eraseCaseArrays();
    CalculatorProbe::getCase(*calc, second);
    CalculatorProbe::addCaseSnapshot(*calc, 2);
    CalculatorProbe::eraseCaseArrays();
    EXPECT_FALSE(st.arrCaseGen.isDimensioned());
    ASSERT_EQ(st.colCases.Count(), 2);
    EXPECT_EQ(st.colCases.Item("1").Gen(1), "Chiller plant");
    EXPECT_EQ(st.colCases.Item("2").Ann(2, 1).toDouble(), 9000);
    // The snapshot is a copy: loading another case does not change it.
    CalculatorProbe::getCase(*calc, second);
    st.arrCaseGen(1) = "changed";
    EXPECT_EQ(st.colCases.Item("2").Gen(1), "Do nothing");
    EXPECT_EQ(errorNumberOf([&] { CalculatorProbe::addCaseSnapshot(*calc, 1); }), 457);
    calc.reset();  // ending a calculator drops its snapshots
    EXPECT_EQ(st.colCases.Count(), 0);
}

TEST_F(LoadingTest, ANewCalculatorStartsEmptyAndRecordsEngineFailures) {
    ThreadState& st = threadState();
    st.gReportMode = 2;
    st.colCases.Add(CaseSnapshot{}, "1");
    cORVCalculator calc;
    EXPECT_EQ(st.gReportMode, 0);
    EXPECT_EQ(st.colCases.Count(), 0);
    // An engine failure (a position the engine does not have) is recorded.
    st.arrStudy = {"S", "", "0", "0", "2026", "20", "3", "False", "0", "$"};
    calc.objLifeCycle = tavlo::createEngine();
    CalculatorProbe::BuildCollections(calc, 1);
    st.gErrMsg.clear();
    CalculatorProbe::AssignProperties(calc, "ann", 2);
    EXPECT_THAT(st.gErrMsg, StartsWith("9#"));
    EXPECT_THAT(st.gErrMsg, EndsWith("#AssignProperties#cORVCalculator#"));
}

class CalculationRun : public CalcProjectTest {
  protected:
    void SetUp() override {
        CalcProjectTest::SetUp();
        ResManager().SetResourceDB(QVC_RESOURCE_DB);
        AssignResourceStrings();
        ui::Services::reset();
        box = std::make_shared<ui::HeadlessMessageBox>();
        ui::Services::setMessageBox(box);
        viewer = std::make_shared<ui::HeadlessReportViewer>();
        ui::Services::setReportViewer(viewer);
        ui::Services::setOutputFolder(dir / "reports");
        std::filesystem::create_directories(dir / "reports");
    }
    void TearDown() override {
        dao::Database::SetStatementObserver({});
        ui::Services::reset();
        CalcProjectTest::TearDown();
    }

    static cDesignCase plantCase(const std::string& title, double cost, double energy) {
        cDesignCase c;
        c.CaseTitle = title;
        c.setInvCost(1, cost);
        c.setInvDepLife(1, 10);
        c.setInvUsefulLife(1, 15);
        c.setLoanPercent(1, 50);
        c.setLoanTerm(1, 5);
        c.setLoanIntRate(1, 6);
        c.setAnnOpCost(1, energy);
        c.setAnnOpCostStartYear(1, 1);
        c.setAnnOpCostNumYears(1, 20);
        c.setAnnOpCostEscRate(1, 2);
        c.setOtherOpCost(1, 5000);
        c.setOtherOpCostStartYear(1, 10);
        c.setOtherOpCostTimes(1, 1);
        c.setOtherOpCostInterval(1, 1);
        return c;
    }

    int16_t studyWithCases(int16_t years, int cases) {
        const int16_t id = addStudy(study("East wing", 1, years, 3.0));
        for (int k = 1; k <= cases; ++k)
            addCase(id, plantCase("Option " + std::to_string(k), 100000.0 * k, 20000.0 / k));
        return id;
    }

    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& r : box->records())
            texts.push_back(r.text);
        return texts;
    }
    std::vector<std::string> savedNames() const {
        std::vector<std::string> names;
        for (const auto& p : viewer->savedFiles())
            names.push_back(p.filename().string());
        return names;
    }

    std::shared_ptr<ui::HeadlessMessageBox> box;
    std::shared_ptr<ui::HeadlessReportViewer> viewer;
    cORVCalculator calc;
};

TEST_F(CalculationRun, ValidStudyCalculatesAndKeepsTheResultsForTheReports) {
    calc.StudyID = studyWithCases(20, 3);
    calc.sReportTypes = "LS-AD";
    ASSERT_TRUE(calc.PerformCalc()) << calc.getErrorMsg();
    ThreadState& st = threadState();
    EXPECT_EQ(st.gReportMode, 2);
    ASSERT_TRUE(st.colAlternatives);
    EXPECT_EQ(st.colComparisons->Count(), 2);
    EXPECT_EQ(st.colCases.Count(), 3);
    // Option k at 3 %: half of 100000 k now; the other half a level loan over 5 years at 6 %
    // (R = 11869.820 k), worth R x (1 - 1.03^-5) / 0.03; energy 20000 / k x 1.02^y in years
    // 1..20 (361624.588 / k); the overhaul 5000 / 1.03^10.
    const double tpw[] = {469705.358, 393253.364, 437342.899};
    const int16_t ranks[] = {3, 1, 2};
    for (int16_t k = 1; k <= 3; ++k) {
        const tavlo::IAlternative& a = st.colAlternatives->Item(k);
        EXPECT_NEAR(a.TotalPresentWorth(), tpw[k - 1], 0.001) << k;
        EXPECT_NEAR(a.LoanPrincipalAt(1) + a.LoanInterestAt(1), 11869.820021 * k, 1e-5) << k;
        EXPECT_EQ(a.Rank(), ranks[k - 1]) << k;
    }
    EXPECT_EQ(st.colComparisons->Item(2).Winner(), 2);
    calc.objLifeCycle.reset();  // the results outlive the calculator's engine
    EXPECT_NEAR(st.colAlternatives->Item(1).TotalPresentWorth(), tpw[0], 0.001);
    EXPECT_TRUE(messages().empty());
}

TEST_F(CalculationRun, StudyOutOfRangeStopsOrFallsBackToInputs) {
    calc.StudyID = studyWithCases(1, 1);
    calc.sReportTypes = "LS";
    EXPECT_FALSE(calc.PerformCalc());
    EXPECT_EQ(calc.ReturnError(), 309);
    EXPECT_EQ(messages(), std::vector<std::string>{threadState().res.gXstrInvaidStudyMsgNoInputs});
    EXPECT_EQ(box->records()[0].flags, 64);
    EXPECT_FALSE(calc.BuildReports(0));  // nothing to build, no error left to show
    EXPECT_EQ(box->records().size(), 1u);
    box->clear();
    calc.sReportTypes = "SI-LS";
    EXPECT_FALSE(calc.PerformCalc());
    EXPECT_EQ(threadState().gReportMode, 1);
    EXPECT_EQ(messages(), std::vector<std::string>{threadState().res.gXstrInvalidStudyMsg});
    EXPECT_EQ(calc.ReturnError(), 309);  // kept for the host to report
    EXPECT_TRUE(calc.BuildReports(0));
    EXPECT_EQ(savedNames(),
              std::vector<std::string>{"East wing_" + threadState().res.gXstrSI + ".RTF"});
    EXPECT_EQ(box->records().size(), 1u);
}

// 2 to 50 whole years, discount 0 to 50 %, tax 0 to 99 %; in range: cases may fail, never 309.
TEST_F(CalculationRun, StudySettingsAreCheckedAtTheirLimits) {
    calc.StudyID = studyWithCases(20, 2);
    calc.sReportTypes = "LS";
    struct Row {
        const char* years;
        const char* discount;
        const char* tax;
        bool inRange;
    };
    for (const Row& r :
         {Row{"2", "0", "0", true}, Row{"50", "50", "99", true}, Row{"1", "3", "0", false},
          Row{"51", "3", "0", false}, Row{"25.5", "3", "0", false}, Row{"20", "50.5", "0", false},
          Row{"20", "-0.5", "0", false}, Row{"20", "3", "99.5", false}}) {
        execute(std::string("UPDATE tblStudy SET nLifecycle = ") + r.years +
                ", dDiscountRate = " + r.discount + ", dIncomeTaxRate = " + r.tax);
        SCOPED_TRACE(std::string(r.years) + " " + r.discount + " " + r.tax);
        const bool calculated = calc.PerformCalc();
        EXPECT_EQ(calc.ReturnError() == 309, !r.inRange);
        EXPECT_FALSE(calculated && !r.inRange);
    }
}

TEST_F(CalculationRun, StudyWithoutCases) {
    calc.StudyID = addStudy(study("Empty", 0, 20, 3.0));
    calc.sReportTypes = "LS";
    EXPECT_FALSE(calc.PerformCalc());
    EXPECT_EQ(calc.ReturnError(), 302);
    EXPECT_EQ(messages(), std::vector<std::string>{threadState().res.gXstrNODCStudyOnly});
    box->clear();
    calc.sReportTypes = "SI-DC-LS";
    EXPECT_FALSE(calc.PerformCalc());
    EXPECT_EQ(threadState().gReportMode, 1);
    EXPECT_EQ(messages(), std::vector<std::string>{threadState().res.gXstrNoDCforStudy});
    EXPECT_EQ(calc.ReturnError(), 302);
    // A study out of range as well: its reason comes first.
    execute("UPDATE tblStudy SET nLifecycle = 1");
    EXPECT_FALSE(calc.PerformCalc());
    EXPECT_EQ(calc.ReturnError(), 309);
    // The case list of an earlier study is not taken for this one's.
    cORVCalculator other;
    other.StudyID = studyWithCases(20, 2);
    other.sReportTypes = "LS";
    ASSERT_TRUE(other.PerformCalc());
    cORVCalculator again;
    again.StudyID = calc.StudyID;
    again.sReportTypes = "SI-DC-LS";
    EXPECT_FALSE(again.PerformCalc());
    EXPECT_EQ(again.ReturnError(), 309);
    EXPECT_EQ(threadState().colCases.Count(), 0);
}

TEST_F(CalculationRun, CaseValueOutOfRangeNamesTheCaseOrFallsBackToInputReports) {
    const int16_t id = studyWithCases(20, 2);
    execute("UPDATE tblInvestmentCost SET nInvYear = 30");
    calc.StudyID = id;
    calc.sReportTypes = "LS";
    EXPECT_FALSE(calc.PerformCalc());
    EXPECT_EQ(calc.ReturnError(), 310);
    EXPECT_EQ(calc.ReturnERRDC(), 1);
    const auto& r = threadState().res;
    const std::string where = "Option 1: Investment Costs, row 1, Year: 30, allowed 0 to 20";
    EXPECT_EQ(messages(), std::vector<std::string>{r.gXstrInvalidDataDC + " [" + where + "]."});
    box->clear();
    cORVCalculator fresh;
    fresh.StudyID = id;
    fresh.sReportTypes = "LS-DC";
    EXPECT_FALSE(fresh.PerformCalc());
    EXPECT_EQ(threadState().gReportMode, 1);
    EXPECT_EQ(fresh.getErrorMsg(), where);
    EXPECT_EQ(threadState().colCases.Count(), 2);  // every case for the input report
    fresh.BuildReports(0);
    EXPECT_EQ(messages(), std::vector<std::string>{r.gXstrInvalidDataDC + " [" + where + "]. " +
                                                   r.gXstrOnlyInputs});
    EXPECT_EQ(savedNames(), std::vector<std::string>{"East wing_" + r.gXstrDCI + ".RTF"});
}

TEST_F(CalculationRun, MissingCaseRecordGives308) {
    const int16_t id = studyWithCases(20, 2);
    // The case row disappears between listing the IDs and reading the case.
    dao::Database::SetStatementObserver([this](const std::string& sql) {
        if (sql.find("FROM tblDesignCase  WHERE istudyid") != std::string::npos &&
            sql.find("icaseID=2") != std::string::npos)
            execute("DELETE FROM tblDesignCase WHERE iCaseId = 2");
    });
    calc.StudyID = id;
    calc.sReportTypes = "LS";
    EXPECT_FALSE(calc.PerformCalc());
    EXPECT_EQ(calc.ReturnError(), 308);
    EXPECT_EQ(calc.ReturnERRDC(), 2);
    EXPECT_EQ(calc.getErrorMsg(), "");  // the engine is not run
}

TEST_F(CalculationRun, EngineRefusalLeavesItsTextAndIsShownOnce) {
    const int16_t id = studyWithCases(20, 2);
    // A depreciation method the hand-over does not range-check; the engine refuses it.
    execute("UPDATE tblInvestmentCost SET nInvDepMethod = 9 WHERE iCaseId = 1");
    execute("UPDATE tblStudy SET nTypeOfAnalysis = 0");
    calc.StudyID = id;
    calc.sReportTypes = "LS";
    EXPECT_FALSE(calc.PerformCalc());
    const std::string msg = calc.getErrorMsg();
    EXPECT_THAT(msg,
                ::testing::MatchesRegex(".*DepreciationMethod 9.*#Tavlo#.*# ValidateInputs#.*"));
    calc.BuildReports(0);
    ASSERT_EQ(box->records().size(), 1u);
    EXPECT_EQ(box->records()[0].flags, 0);
    EXPECT_TRUE(calc.getErrorMsg().empty());
    EXPECT_TRUE(savedNames().empty());
}

TEST_F(CalculationRun, InputsOnlyNeverRunTheEngineAndNoEngineFailsTheRun) {
    calc.StudyID = studyWithCases(20, 2);
    calc.sReportTypes = "SI";
    EXPECT_FALSE(calc.PerformCalc());
    EXPECT_EQ(threadState().gReportMode, 1);
    EXPECT_FALSE(threadState().colAlternatives);
    EXPECT_EQ(threadState().colCases.Count(), 0);  // no DC requested: no snapshots
    calc.sReportTypes = "LS";
    calc.objLifeCycle.reset();
    EXPECT_FALSE(calc.PerformCalc());
    EXPECT_THAT(calc.getErrorMsg(), ::testing::StartsWith("91#"));
    EXPECT_THAT(calc.getErrorMsg(), ::testing::EndsWith("#PerformCalc#cORVCalculator#"));
}

}  // namespace
}  // namespace qvc::test
