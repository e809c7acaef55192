#pragma once
// The bundled office HVAC example (examples/office-hvac: three central plant
// options over 25 years) stored in a fresh project, loaded and calculated by
// the real engine the way a calculation run does it, for the cash flow, present
// worth profile and text cash flow reports. The study's type of analysis, type
// of alternatives and income-tax setting can be changed before it is stored.

#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "../calc/CalculatorProbe.h"
#include "ReportFixture.h"
#include "qvc/graph/ChartRenderer.h"
#include "qvc/runtime/NumberFormat.h"
#include "qvc/runtime/Rounding.h"
#include "tavlo/ILifeCycleEngine.h"

namespace qvc::test {

struct StudySettings {
    int16_t analysis = 0;
    int16_t alternatives = 0;
    bool taxes = true;
    std::string currency = "$";
    std::string title;      // empty: the example's own title
    int16_t lifecycle = 0;  // 0: the example's own length of analysis
};

class CashFlowStudyTest : public ReportTest {
  protected:
    static StudySettings settings(int16_t analysis, int16_t alternatives, bool taxes) {
        StudySettings s;
        s.analysis = analysis;
        s.alternatives = alternatives;
        s.taxes = taxes;
        return s;
    }

    void SetUp() override {
        ReportTest::SetUp();
        reportState().gGraph = &renderer;
    }
    void TearDown() override {
        reportState().gGraph = nullptr;
        engine.reset();
        ReportTest::TearDown();
    }

    static fs::path exampleDir() {
        return fs::path(__FILE__).parent_path() / ".." / ".." / "examples" / "office-hvac";
    }
    static nlohmann::json readJson(const fs::path& file) {
        std::ifstream in(file);
        return nlohmann::json::parse(in);
    }

    static cStudy exampleStudy(const StudySettings& settings) {
        const nlohmann::json j = readJson(exampleDir() / "study.json");
        cStudy s;
        s.StudyTitle =
            settings.title.empty() ? j.at("StudyTitle").get<std::string>() : settings.title;
        s.StudyDescription = j.at("StudyDescription").get<std::string>();
        s.TypeOfAnalysis = settings.analysis;
        s.TypeOfAlternative = settings.alternatives;
        s.BaseYear = j.at("BaseYear").get<int16_t>();
        s.CurSymbol = settings.currency;
        s.Lifecycle =
            settings.lifecycle > 0 ? settings.lifecycle : j.at("Lifecycle").get<int16_t>();
        s.DiscountRate = j.at("DiscountRate").get<double>();
        s.CalcIncomeTaxes = settings.taxes;
        s.IncomeTaxes = settings.taxes ? j.at("IncomeTaxes").get<double>() : 0.0;
        return s;
    }

    static cDesignCase exampleCase(const fs::path& file, const cStudy& s) {
        const nlohmann::json j = readJson(file);
        cDesignCase c;
        c.CaseTitle = j.at("CaseTitle").get<std::string>();
        c.CaseShortTitle = j.at("CaseShortTitle").get<std::string>();
        c.CaseDes = j.at("CaseDes").get<std::string>();
        c.AnalysisType = s.TypeOfAnalysis;
        c.Lifecycle = s.Lifecycle;
        int16_t k = 0;
        for (const auto& r : j.value("Investments", nlohmann::json::array())) {
            ++k;
            c.setInvItemName(k, r.at("InvItemName").get<std::string>());
            c.setInvCost(k, r.at("InvCost").get<double>());
            c.setInvYear(k, r.at("InvYear").get<int16_t>());
            c.setInvEscRate(k, r.at("InvEscRate").get<double>());
            c.setInvTaxExempt(k, r.at("InvTaxExempt").get<bool>());
            c.setSalvageValue(k, r.at("SalvageValue").get<double>());
            c.setInvDepMethod(k, r.at("InvDepMethod").get<int16_t>());
            c.setInvDepLife(k, r.at("InvDepLife").get<int16_t>());
            c.setInvUsefulLife(k, r.at("InvUsefulLife").get<int16_t>());
        }
        k = 0;
        for (const auto& r : j.value("Loans", nlohmann::json::array())) {
            ++k;
            c.setLoanItemName(k, r.at("LoanItemName").get<std::string>());
            c.setLoanYear(k, r.at("LoanYear").get<int16_t>());
            c.setLoanTotlaInvest(k, r.at("LoanTotlaInvest").get<double>());
            c.setLoanPercent(k, r.at("LoanPercent").get<double>());
            c.setLoanTerm(k, r.at("LoanTerm").get<int16_t>());
            c.setLoanIntRate(k, r.at("LoanIntRate").get<double>());
            c.setLoanPayPlan(k, r.at("LoanPayPlan").get<int16_t>());
        }
        k = 0;
        for (const auto& r : j.value("AnnualCosts", nlohmann::json::array())) {
            ++k;
            c.setAnnOpCostName(k, r.at("AnnOpCostName").get<std::string>());
            c.setAnnOpCost(k, r.at("AnnOpCost").get<double>());
            c.setAnnOpCostStartYear(k, r.at("AnnOpCostStartYear").get<int16_t>());
            c.setAnnOpCostNumYears(k, r.at("AnnOpCostNumYears").get<int16_t>());
            c.setAnnOpCostEscRate(k, r.at("AnnOpCostEscRate").get<double>());
        }
        k = 0;
        for (const auto& r : j.value("OtherCosts", nlohmann::json::array())) {
            ++k;
            c.setOtherOpCostName(k, r.at("OtherOpCostName").get<std::string>());
            c.setOtherOpCost(k, r.at("OtherOpCost").get<double>());
            c.setOtherOpCostStartYear(k, r.at("OtherOpCostStartYear").get<int16_t>());
            c.setOtherOpCostTimes(k, r.at("OtherOpCostTimes").get<int16_t>());
            c.setOtherOpCostInterval(k, r.at("OtherOpCostInterval").get<int16_t>());
            c.setOtherOpCostEscRate(k, r.at("OtherOpCostEscRate").get<double>());
        }
        return c;
    }

    // The three example cases, stored in file order.
    static std::vector<fs::path> exampleCaseFiles() {
        return {exampleDir() / "cases" / "1-refurbish.json",
                exampleDir() / "cases" / "2-high-efficiency.json",
                exampleDir() / "cases" / "3-ground-source.json"};
    }

    // Stores the study with `cases` (the example's three when empty) and
    // calculates it; the results are left in colAlternatives / colComparisons.
    void calculateExample(const StudySettings& settings, std::vector<cDesignCase> cases = {}) {
        const cStudy s = exampleStudy(settings);
        if (cases.empty())
            for (const fs::path& file : exampleCaseFiles())
                cases.push_back(exampleCase(file, s));
        studyId = addStudy(s);
        for (const cDesignCase& c : cases)
            addCase(studyId, c);
        calculate();
    }

    // What a calculation run does: study, case IDs, collections, then each
    // case loaded, kept as a snapshot and handed to the engine; validation,
    // calculation and the collections kept for the reports.
    void calculate() {
        ThreadState& st = threadState();
        auto calc = std::make_unique<cORVCalculator>();
        CalculatorProbe::loadStudy(*calc, studyId);
        ASSERT_EQ(st.gErrMsg, "");
        ASSERT_EQ(st.gErrCode, 0);
        ASSERT_FALSE(calc->m_InvalidCaseData);
        engine = calc->objLifeCycle;
        ASSERT_TRUE(engine->ValidateInputs());
        ASSERT_TRUE(engine->Calculate());
        // The case snapshots outlive the calculator only as copies.
        CaseCollection cases = st.colCases;
        calc.reset();
        st.colCases = cases;
        st.colAlternatives =
            std::shared_ptr<const tavlo::IAlternatives>(engine, &engine->Alternatives());
        st.colComparisons =
            std::shared_ptr<const tavlo::IComparisons>(engine, &engine->Comparisons());
    }

    const tavlo::IAlternatives& alternatives() const { return engine->Alternatives(); }
    int16_t lifeCycle() const { return engine->AnalysisPeriod(); }

    // Positions of the alternatives by rank, from the engine's Rank.
    std::vector<int16_t> positionsByRank() const {
        std::vector<int16_t> order(static_cast<size_t>(alternatives().Count()), 0);
        for (int16_t i = 1; i <= alternatives().Count(); ++i)
            order.at(static_cast<size_t>(alternatives().Item(i).Rank() - 1)) = i;
        return order;
    }

    static double whole(double value) { return rt::RoundHalfEven(value); }

    // A fresh document in the work folder, as the builder opens it.
    void openDocument(doc::DocumentObject& d, const std::string& name, bool landscape) {
        d.NewDocument(name, work.string(), "Untitled", "", "", "", "", 1);
        d.SetMargins(0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f);
        if (landscape)
            d.SetOrientation(doc::code::kLandscape);
    }

    graph::ChartRenderer renderer;
    std::shared_ptr<tavlo::ILifeCycleEngine> engine;
    int16_t studyId = 0;
};

// A grouped whole number as the reports show it ("-1,234") back to a number.
inline double parseWhole(std::string text) {
    std::string digits;
    for (char ch : text)
        if (ch != ',' && ch != '$')
            digits += ch;
    return std::stod(digits);
}

// Paragraphs that start a new page.
inline int pageStarts(const RtfDocument& d) {
    int n = 0;
    for (const RtfParagraph* p : d.paragraphs())
        n += p->pageBreakBefore ? 1 : 0;
    return n;
}

}  // namespace qvc::test
