#pragma once
// The bundled office HVAC example (three central plant options for an office
// building, 25 years at 7 %) stored in a fresh project, loaded and calculated
// the way a calculation run does it, with the engine's collections kept in the
// thread's state for the result reports. Helpers write one report document
// through a generator and read the file back.

#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../calc/CalculatorProbe.h"
#include "ReportFixture.h"
#include "project/cDBoperations.h"
#include "qvc/graph/ChartRenderer.h"

namespace qvc::test {

struct InvRow {
    const char* name;
    double cost;
    int16_t year;
    double esc;
    bool exempt;
    double salvage;
    int16_t method, depLife, usefulLife;
};
struct LoanRow {
    const char* name;
    int16_t year;
    double invest, percent;
    int16_t term;
    double rate;
    int16_t plan;
};
struct AnnRow {
    const char* name;
    double cost;
    int16_t start, years;
    double esc;
};
struct OtherRow {
    const char* name;
    double cost;
    int16_t start, times, interval;
    double esc;
};

inline cDesignCase makeCase(const std::string& title, const std::string& shortTitle,
                            const std::vector<InvRow>& inv, const std::vector<LoanRow>& loans,
                            const std::vector<AnnRow>& ann, const std::vector<OtherRow>& other) {
    cDesignCase c;
    c.CaseTitle = title;
    c.CaseShortTitle = shortTitle;
    c.CaseDes = title;
    int16_t i = 0;
    for (const InvRow& r : inv) {
        ++i;
        c.setInvItemName(i, r.name);
        c.setInvCost(i, r.cost);
        c.setInvYear(i, r.year);
        c.setInvEscRate(i, r.esc);
        c.setInvTaxExempt(i, r.exempt);
        c.setSalvageValue(i, r.salvage);
        c.setInvDepMethod(i, r.method);
        c.setInvDepLife(i, r.depLife);
        c.setInvUsefulLife(i, r.usefulLife);
    }
    i = 0;
    for (const LoanRow& r : loans) {
        ++i;
        c.setLoanItemName(i, r.name);
        c.setLoanYear(i, r.year);
        c.setLoanTotlaInvest(i, r.invest);
        c.setLoanPercent(i, r.percent);
        c.setLoanTerm(i, r.term);
        c.setLoanIntRate(i, r.rate);
        c.setLoanPayPlan(i, r.plan);
    }
    i = 0;
    for (const AnnRow& r : ann) {
        ++i;
        c.setAnnOpCostName(i, r.name);
        c.setAnnOpCost(i, r.cost);
        c.setAnnOpCostStartYear(i, r.start);
        c.setAnnOpCostNumYears(i, r.years);
        c.setAnnOpCostEscRate(i, r.esc);
    }
    i = 0;
    for (const OtherRow& r : other) {
        ++i;
        c.setOtherOpCostName(i, r.name);
        c.setOtherOpCost(i, r.cost);
        c.setOtherOpCostStartYear(i, r.start);
        c.setOtherOpCostTimes(i, r.times);
        c.setOtherOpCostInterval(i, r.interval);
        c.setOtherOpCostEscRate(i, r.esc);
    }
    return c;
}

// examples/office-hvac/cases/1-refurbish.json
inline cDesignCase refurbishCase(double electricity = 148500) {
    return makeCase("Refurbish the existing plant", "Refurbish",
                    {{"Chiller overhaul", 185000, 0, 0, false, 0, 0, 10, 12},
                     {"Replacement chillers", 540000, 12, 2.0, false, 90000, 0, 15, 13},
                     {"Boiler retubing", 42000, 0, 0, false, 0, 0, 7, 10}},
                    {},
                    {{"Electricity", electricity, 1, 25, 2.5},
                     {"Natural gas", 41200, 1, 25, 3.0},
                     {"Maintenance contract", 26800, 1, 25, 2.5},
                     {"Water treatment", 6400, 1, 25, 2.0}},
                    {{"Cooling tower refurbishment", 28000, 6, 4, 5, 2.5}});
}

// examples/office-hvac/cases/2-high-efficiency.json
inline cDesignCase highEfficiencyCase() {
    return makeCase("High-efficiency chillers and condensing boilers", "High efficiency",
                    {{"Magnetic-bearing chillers", 610000, 0, 0, false, 40000, 4, 7, 25},
                     {"Condensing boilers", 168000, 0, 0, false, 8000, 4, 15, 20},
                     {"Controls and metering", 92000, 0, 0, false, 0, 0, 5, 15},
                     {"Utility efficiency rebate", -60000, 0, 0, true, 0, 5, 2, 0}},
                    {{"Equipment loan", 0, 870000, 70, 10, 5.5, 0}},
                    {{"Electricity", 104200, 1, 25, 2.5},
                     {"Natural gas", 27900, 1, 25, 3.0},
                     {"Maintenance contract", 19500, 1, 25, 2.5},
                     {"Water treatment", 5200, 1, 25, 2.0}},
                    {{"Chiller tube cleaning", 9500, 5, 5, 5, 2.5}});
}

// examples/office-hvac/cases/3-ground-source.json
inline cDesignCase groundSourceCase() {
    return makeCase("Ground-source heat pump plant", "Ground source",
                    {{"Borefield", 780000, 0, 0, false, 0, 0, 20, 0},
                     {"Water-to-water heat pumps", 520000, 0, 0, false, 30000, 4, 7, 20},
                     {"Heat pump replacement", 560000, 20, 2.0, false, 250000, 4, 7, 5},
                     {"Federal energy credit", -130000, 1, 0, true, 0, 5, 2, 0}},
                    {{"Green energy loan", 0, 1300000, 80, 15, 4.25, 1}},
                    {{"Electricity", 121000, 1, 25, 2.5},
                     {"Maintenance contract", 14200, 1, 25, 2.5},
                     {"Water treatment", 2400, 1, 25, 2.0}},
                    {{"Circulation pump replacement", 18000, 10, 2, 10, 2.0}});
}

class OfficeHvacRun : public ReportTest {
  protected:
    void TearDown() override {
        resetThreadState();
        calc.reset();
        ReportTest::TearDown();
    }

    // Stores the study with `cases` and calculates it. The study is the
    // example's (25 years, 7 %, "$", 26 % income tax when taxes are on).
    void calculate(int16_t analysis, int16_t alternatives, bool taxes,
                   std::vector<cDesignCase> cases = {refurbishCase(), highEfficiencyCase(),
                                                     groundSourceCase()}) {
        cStudy s = study("Office Building Central Plant", analysis, alternatives, taxes);
        const int16_t studyId = addStudy(s);
        for (cDesignCase& c : cases) {
            c.AnalysisType = analysis;
            c.Lifecycle = s.Lifecycle;
            addCase(studyId, c);
        }

        calc = std::make_unique<cORVCalculator>();
        ThreadState& st = threadState();
        CalculatorProbe::loadStudy(*calc, studyId);
        ASSERT_EQ(st.gErrMsg, "");
        ASSERT_EQ(st.gErrCode, 0);
        ASSERT_FALSE(calc->m_InvalidCaseData);
        tavlo::ILifeCycleEngine& engine = *calc->objLifeCycle;
        ASSERT_TRUE(engine.ValidateInputs());
        ASSERT_TRUE(engine.Calculate());
        st.colAlternatives =
            std::shared_ptr<const tavlo::IAlternatives>(calc->objLifeCycle, &engine.Alternatives());
        st.colComparisons =
            std::shared_ptr<const tavlo::IComparisons>(calc->objLifeCycle, &engine.Comparisons());
        reportState().gGraph = &renderer;
    }

    const tavlo::IAlternatives& alts() const { return *threadState().colAlternatives; }
    const tavlo::IComparisons& comps() const { return *threadState().colComparisons; }

    // A fresh document in the work folder, filled by `body`, written and read back.
    RtfDocument writeReport(const std::string& fileName,
                            const std::function<void(doc::DocumentObject&)>& body) {
        doc::DocumentObject docs;
        docs.NewDocument(fileName, work.string());
        body(docs);
        docs.FinishDocument(true, 0);
        lastFile = work / fileName;
        return readRtfFile(lastFile);
    }

    std::unique_ptr<cORVCalculator> calc;
    graph::ChartRenderer renderer;
    fs::path lastFile;
};

// A whole amount as the reports show it: half-to-even, "," every three digits.
inline std::string grouped(double value) {
    const double whole = std::nearbyint(value);  // the default rounding mode is half-to-even
    std::string digits = std::to_string(static_cast<long long>(std::fabs(whole)));
    for (int pos = static_cast<int>(digits.size()) - 3; pos > 0; pos -= 3)
        digits.insert(static_cast<size_t>(pos), ",");
    return (whole < 0 ? "-" : "") + digits;
}
// The sign goes in front of the currency sign: "-$63,041".
inline std::string dollars(double value) {
    const std::string digits = grouped(value);
    return digits.starts_with("-") ? "-$" + digits.substr(1) : "$" + digits;
}

// Twips of a width in inches.
inline int twips(double inches) {
    return static_cast<int>(std::lround(inches * 1440));
}

}  // namespace qvc::test
