// PerformCalc and BuildReports end to end on a stored study: the figures,
// status codes, messages and the fallback to input reports.

#include <gmock/gmock.h>

#include "CalcProjectFixture.h"
#include "common/ResourceStrings.h"
#include "qvc/ResManager.h"
#include "qvc/cORVCalculator.h"
#include "qvc/ui/HeadlessMessageBox.h"
#include "qvc/ui/HeadlessReportViewer.h"
#include "qvc/ui/Services.h"
#include "tavlo/IAlternative.h"
#include "tavlo/IAlternatives.h"

namespace qvc {
namespace {

class CalculationRun : public test::CalcProjectTest {
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

    // A boiler-plant case with an investment, a loan, energy and an overhaul.
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
    EXPECT_EQ(calc.ReturnError(), 0);
    EXPECT_EQ(st.gReportMode, 2);
    ASSERT_TRUE(st.colAlternatives);
    EXPECT_EQ(st.colAlternatives->Count(), 3);
    EXPECT_EQ(st.colComparisons->Count(), 2);
    EXPECT_EQ(st.colCases.Count(), 3);
    EXPECT_EQ(st.colCases.Item("2").Gen(1), "Option 2");
    EXPECT_FALSE(st.arrInvCosts.isDimensioned()) << "case arrays erased after the loop";
    // Option k at 3 %: half of 100000 k now; the other half a level loan over
    // 5 years at 6 % (R = 50000 k x 0.06 / (1 - 1.06^-5) = 11869.820 k), worth
    // R x (1 - 1.03^-5) / 0.03; energy 20000 / k x 1.02^y in years 1..20
    // (361624.588 / k); the overhaul 5000 / 1.03^10.
    const double tpw[] = {469705.358, 393253.364, 437342.899};
    const int16_t ranks[] = {3, 1, 2};
    for (int16_t k = 1; k <= 3; ++k) {
        const tavlo::IAlternative& a = st.colAlternatives->Item(k);
        EXPECT_NEAR(a.TotalPresentWorth(), tpw[k - 1], 0.001) << k;
        EXPECT_NEAR(a.LoanPrincipalAt(1) + a.LoanInterestAt(1), 11869.820021 * k, 1e-5) << k;
        EXPECT_EQ(a.Rank(), ranks[k - 1]) << k;
    }
    EXPECT_EQ(st.colComparisons->Item(2).Winner(), 2);
    // The results outlive the calculator's engine.
    calc.objLifeCycle.reset();
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
    EXPECT_EQ(box->records()[0].title, "");
    // Nothing to build, and no error left to show.
    EXPECT_FALSE(calc.BuildReports(0));
    EXPECT_EQ(box->records().size(), 1u);

    box->clear();
    calc.sReportTypes = "SI-LS";
    EXPECT_FALSE(calc.PerformCalc());
    EXPECT_EQ(threadState().gReportMode, 1);
    EXPECT_EQ(messages(), std::vector<std::string>{threadState().res.gXstrInvalidStudyMsg});
    // The fallback keeps the reason for the host to report.
    EXPECT_EQ(calc.ReturnError(), 309);
    EXPECT_TRUE(calc.BuildReports(0));
    EXPECT_EQ(savedNames(),
              std::vector<std::string>{"East wing_" + threadState().res.gXstrSI + ".RTF"});
    EXPECT_EQ(box->records().size(), 1u) << "built without an error: no further message";
}

// Length 2 to 50 whole years, discount rate 0 to 50 %, tax rate 0 to 99 %; a
// study in range goes on to its cases (which may fail with 310, never 309).
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
          Row{"20", "-0.5", "0", false}, Row{"20", "3", "99.5", false},
          Row{"20", "3", "-1", false}}) {
        execute(std::string("UPDATE tblStudy SET nLifecycle = ") + r.years +
                ", dDiscountRate = " + r.discount + ", dIncomeTaxRate = " + r.tax);
        const std::string row = std::string(r.years) + " " + r.discount + " " + r.tax;
        const bool calculated = calc.PerformCalc();
        if (r.inRange) {
            EXPECT_NE(calc.ReturnError(), 309) << row;
        } else {
            EXPECT_FALSE(calculated) << row;
            EXPECT_EQ(calc.ReturnError(), 309) << row;
        }
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
    EXPECT_TRUE(calc.m_InvalidCaseData);
    // One message, for the first case: the list, the row, the field, its range.
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
    EXPECT_EQ(threadState().colCases.Count(), 2) << "every case for the input report";
    fresh.BuildReports(0);
    EXPECT_EQ(messages(), std::vector<std::string>{r.gXstrInvalidDataDC + " [" + where + "]. " +
                                                   r.gXstrOnlyInputs});
    // Only the design case inputs report is built.
    ASSERT_EQ(savedNames().size(), 1u);
    EXPECT_EQ(savedNames()[0], "East wing_" + r.gXstrDCI + ".RTF");
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
    EXPECT_EQ(calc.getErrorMsg(), "") << "the engine is not run";
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
    // description#library#class# method#source
    EXPECT_EQ(std::count(msg.begin(), msg.end(), '#'), 4) << msg;
    EXPECT_NE(msg.find("#Tavlo#"), std::string::npos) << msg;
    EXPECT_NE(msg.find("# ValidateInputs#"), std::string::npos) << msg;
    EXPECT_NE(msg.find("DepreciationMethod 9"), std::string::npos) << msg;
    calc.BuildReports(0);
    ASSERT_EQ(box->records().size(), 1u);
    EXPECT_EQ(box->records()[0].flags, 0);
    EXPECT_TRUE(calc.getErrorMsg().empty());
    EXPECT_TRUE(savedNames().empty());
}

TEST_F(CalculationRun, WithoutAnEngineTheRunFailsWithItsRecord) {
    calc.StudyID = studyWithCases(20, 2);
    calc.sReportTypes = "LS";
    calc.objLifeCycle.reset();
    EXPECT_FALSE(calc.PerformCalc());
    EXPECT_THAT(calc.getErrorMsg(), ::testing::StartsWith("91#"));
    EXPECT_THAT(calc.getErrorMsg(), ::testing::EndsWith("#PerformCalc#cORVCalculator#"));
}

TEST_F(CalculationRun, InputsOnlyNeverRunTheEngine) {
    calc.StudyID = studyWithCases(20, 2);
    calc.sReportTypes = "SI";
    EXPECT_FALSE(calc.PerformCalc());
    EXPECT_EQ(threadState().gReportMode, 1);
    EXPECT_FALSE(threadState().colAlternatives);
    EXPECT_EQ(threadState().colCases.Count(), 0) << "no DC requested: no snapshots";
}

}  // namespace
}  // namespace qvc
