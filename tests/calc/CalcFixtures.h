#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "common/ThreadState.h"
#include "project/ProjectSchema.h"
#include "qvc/cORVCalculator.h"
#include "qvc/cORVProject.h"
#include "qvc/dao/Database.h"
#include "tavlo/IAlternative.h"
#include "tavlo/IAlternatives.h"

namespace qvc {

// White-box access to the calculator's private loading and assignment steps.
class CalculatorProbe {
  public:
    static void getCase(cORVCalculator& c, int16_t caseId) { c.getCase(caseId); }
    static void BuildCollections(cORVCalculator& c, int16_t count) { c.BuildCollections(count); }
    static void AssignProperties(cORVCalculator& c, const std::string& part, int32_t position) {
        c.AssignProperties(part, position);
    }
    static void addCaseSnapshot(cORVCalculator& c, int32_t position) {
        c.addCaseSnapshot(position);
    }
    static void eraseCaseArrays() { cORVCalculator::eraseCaseArrays(); }
    // The description of the first value out of range of the case handed over.
    static std::string& invalidValue(cORVCalculator& c) { return c.m_sInvalidValue; }
};

namespace test {

class CalcProjectTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetThreadState();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = freshDir("calc", std::string(info->test_suite_name()) + "." + info->name());
        project::createProjectDatabase((dir / "ORV30.mdb").string());
        prj.setWorkPath(dir.string(), "", "");
    }
    void TearDown() override { resetThreadState(); }
    int16_t addStudy(const cStudy& s) {
        prj.addStudyDetails(s);
        EXPECT_EQ(prj.getErrorMsg(), "");
        return prj.GetMaxStudyID();
    }
    int16_t addCase(int16_t studyId, const cDesignCase& c) {
        prj.addCaseDetails(studyId, c);
        EXPECT_EQ(prj.getErrorMsg(), "");
        return prj.GetMaxCaseID();
    }
    void execute(const std::string& sql) {
        auto db = dao::Database::Open((dir / "ORV30.mdb").string());
        db->Execute(sql);
        db->Close();
    }
    static cStudy study(const std::string& title, int16_t type, int16_t years, double discount) {
        cStudy s;
        s.StudyTitle = title;
        s.StudyDescription = "Plant replacement for the east wing";
        s.TypeOfAnalysis = type;
        s.BaseYear = 2026;
        s.CurSymbol = "$";
        s.Lifecycle = years;
        s.DiscountRate = discount;
        return s;
    }
    std::filesystem::path dir;
    cORVProject prj;
};

using Row = std::vector<rt::Value>;

inline Row invRow(double cost, int16_t year, double escPercent, bool exempt, int16_t method,
                  int16_t depLife, int16_t usefulLife, double salvage) {
    return {rt::Value("Item"), cost,       year,    escPercent, exempt, method,
            depLife,           usefulLife, salvage, int32_t{1}};
}
inline Row loanRow(int16_t year, double percent, int16_t term, double ratePercent, int16_t plan) {
    return {rt::Value("Loan"), 0.0, year, percent, term, ratePercent, plan, int32_t{1}};
}
inline Row annRow(double cost, int16_t start, int16_t years, double escPercent) {
    return {rt::Value("Annual"), cost, start, years, escPercent, int32_t{1}};
}
inline Row otherRow(double cost, int16_t start, int16_t times, int16_t interval,
                    double escPercent) {
    return {rt::Value("Other"), cost, start, times, interval, escPercent, int32_t{1}};
}

inline void fill(rt::DynArray2<rt::Value>& arr, const std::vector<Row>& rows) {
    if (rows.empty()) {
        arr.erase();
        return;
    }
    const long fields = static_cast<long>(rows.front().size());
    arr.redim(1, fields, 0, static_cast<long>(rows.size()));
    for (size_t n = 0; n < rows.size(); ++n)
        for (long f = 1; f <= fields; ++f)
            arr(f, static_cast<long>(n + 1)) = rows[n][static_cast<size_t>(f - 1)];
}

class AssignmentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetThreadState();
        calc = std::make_unique<cORVCalculator>();
        CalculatorProbe::BuildCollections(*calc, 1);
    }
    void TearDown() override {
        calc.reset();
        resetThreadState();
    }
    ThreadState& st() { return threadState(); }
    // Type of analysis T, length L; 3.5 % discount, taxes at 28 %.
    void study(int type, int years) {
        st().arrStudy = {
            "Study", "", std::to_string(type), "0", "2026", std::to_string(years), "3.5", "True",
            "28",    "$"};
    }
    void inv(const std::vector<Row>& rows) { fill(st().arrInvCosts, rows); }
    void loans(const std::vector<Row>& rows) { fill(st().arrLoan, rows); }
    void ann(const std::vector<Row>& rows) { fill(st().arrAnOpCost, rows); }
    void other(const std::vector<Row>& rows) { fill(st().arrOtherCost, rows); }
    void assign(const std::string& part, int32_t position = 1) {
        CalculatorProbe::AssignProperties(*calc, part, position);
    }
    void assignAndCalculate(int32_t position = 1) {
        assign("study");
        for (const char* part : {"inv", "ann", "other"})
            assign(part, position);
        ASSERT_EQ(st().gErrMsg, "");
        ASSERT_FALSE(invalid()) << CalculatorProbe::invalidValue(*calc);
        engine().Alternatives().Item(static_cast<int16_t>(position)).setNumber(1);
        ASSERT_TRUE(engine().ValidateInputs()) << st().gErrMsg;
        ASSERT_TRUE(engine().Calculate());
    }
    bool invalid() const { return calc->m_InvalidCaseData; }
    tavlo::ILifeCycleEngine& engine() { return *calc->objLifeCycle; }
    const tavlo::IAlternative& alt(int16_t position = 1) {
        return engine().Alternatives().Item(position);
    }
    std::unique_ptr<cORVCalculator> calc;
};

}  // namespace test
}  // namespace qvc
