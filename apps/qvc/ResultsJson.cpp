#include "ResultsJson.h"

#include <algorithm>

#include "JsonRecords.h"
#include "tavlo/IAlternative.h"
#include "tavlo/IAlternatives.h"
#include "tavlo/IComparison.h"
#include "tavlo/IComparisons.h"

namespace qvc::cli {

namespace {

using json = nlohmann::ordered_json;

template <typename Item>
using YearGetter = double (Item::*)(int16_t) const;

struct AlternativeSeries {
    const char* name;
    YearGetter<tavlo::IAlternative> get;
};

constexpr AlternativeSeries kAlternativeSeries[] = {
    {"CashInvestmentAt", &tavlo::IAlternative::CashInvestmentAt},
    {"LoanPrincipalAt", &tavlo::IAlternative::LoanPrincipalAt},
    {"LoanInterestAt", &tavlo::IAlternative::LoanInterestAt},
    {"TotalInvestmentAt", &tavlo::IAlternative::TotalInvestmentAt},
    {"AnnualOpCostAt", &tavlo::IAlternative::AnnualOpCostAt},
    {"NonAnnualOpCostAt", &tavlo::IAlternative::NonAnnualOpCostAt},
    {"TotalOpCostAt", &tavlo::IAlternative::TotalOpCostAt},
    {"BeforeTaxCashFlowAt", &tavlo::IAlternative::BeforeTaxCashFlowAt},
    {"NetIncomeAt", &tavlo::IAlternative::NetIncomeAt},
    {"DepreciationAt", &tavlo::IAlternative::DepreciationAt},
    {"TaxableIncomeAt", &tavlo::IAlternative::TaxableIncomeAt},
    {"TaxAt", &tavlo::IAlternative::TaxAt},
    {"AfterTaxCashFlowAt", &tavlo::IAlternative::AfterTaxCashFlowAt},
    {"BookValueAt", &tavlo::IAlternative::BookValueAt},
    {"PWInvestmentAt", &tavlo::IAlternative::PWInvestmentAt},
    {"PWOpCostAt", &tavlo::IAlternative::PWOpCostAt},
    {"PWCashFlowAt", &tavlo::IAlternative::PWCashFlowAt},
};

struct ComparisonSeries {
    const char* name;
    YearGetter<tavlo::IComparison> get;
};

constexpr ComparisonSeries kComparisonSeries[] = {
    {"AddInvCostAt", &tavlo::IComparison::AddInvCostAt},
    {"CumAddInvCostAt", &tavlo::IComparison::CumAddInvCostAt},
    {"OpCostSavingsAt", &tavlo::IComparison::OpCostSavingsAt},
    {"CumOpCostSavingsAt", &tavlo::IComparison::CumOpCostSavingsAt},
    {"NPWSavingsAt", &tavlo::IComparison::NPWSavingsAt},
    {"SIR", &tavlo::IComparison::SIR},
};

template <typename Item>
json yearly(const Item& item, YearGetter<Item> get, int16_t years) {
    json values = json::array();
    for (int16_t y = 0; y <= years; ++y)
        values.push_back((item.*get)(y));
    return values;
}

json settings(const tavlo::ILifeCycleEngine& engine) {
    return json{
        {"AnalysisType", engine.AnalysisType()},     {"AlternativeType", engine.AlternativeType()},
        {"AnalysisPeriod", engine.AnalysisPeriod()}, {"DiscountRate", engine.DiscountRate()},
        {"IncomeTaxFlag", engine.IncomeTaxFlag()},   {"IncomeTaxRate", engine.IncomeTaxRate()}};
}

json alternative(const tavlo::IAlternative& a, const CalculatedCase* label, int16_t years) {
    json j{{"Number", a.Number()}};
    j["CaseID"] = label != nullptr ? json(label->caseId) : json();
    j["CaseTitle"] = label != nullptr ? label->title : std::string();
    j["CaseShortTitle"] = label != nullptr ? label->shortTitle : std::string();
    j["Rank"] = a.Rank();
    j["TotalPresentWorth"] = a.TotalPresentWorth();
    j["BeforeTaxTPW"] = a.BeforeTaxTPW();
    j["FirstCost"] = a.FirstCost();
    j["AnnualOperatingCost"] = a.AnnualOperatingCost();
    for (const AlternativeSeries& s : kAlternativeSeries)
        j[s.name] = yearly(a, s.get, years);
    return j;
}

json comparison(const tavlo::IComparison& c, int16_t years) {
    json j{{"BaseCase", c.BaseCase()},
           {"Challenger", c.Challenger()},
           {"Winner", c.Winner()},
           {"AdditionalFirstCost", c.AdditionalFirstCost()},
           {"NPWSavings", c.NPWSavings()},
           {"IRR", c.IRR()},
           {"BeforeTaxIRR", c.BeforeTaxIRR()},
           {"AIRR", c.AIRR()},
           {"PaybackYears", c.PaybackYears()}};
    for (const ComparisonSeries& s : kComparisonSeries)
        j[s.name] = yearly(c, s.get, years);
    return j;
}

}  // namespace

json resultsJson(int studyId, const cStudy& study, const tavlo::ILifeCycleEngine& engine,
                 const std::vector<CalculatedCase>& cases) {
    const int16_t years = engine.AnalysisPeriod();
    const tavlo::IAlternatives& alternatives = engine.Alternatives();
    std::vector<const tavlo::IAlternative*> byNumber;
    for (int16_t i = 1; i <= alternatives.Count(); ++i)
        byNumber.push_back(&alternatives.Item(i));
    std::stable_sort(byNumber.begin(), byNumber.end(),
                     [](const auto* a, const auto* b) { return a->Number() < b->Number(); });

    json doc{{"StudyID", studyId}, {"Study", studyToJson(study)}, {"Settings", settings(engine)}};
    json list = json::array();
    for (const tavlo::IAlternative* a : byNumber) {
        const auto label = std::find_if(cases.begin(), cases.end(), [&](const CalculatedCase& c) {
            return c.number == a->Number();
        });
        list.push_back(alternative(*a, label == cases.end() ? nullptr : &*label, years));
    }
    doc["Alternatives"] = std::move(list);
    json comparisons = json::array();
    for (int16_t k = 1; k <= engine.Comparisons().Count(); ++k)
        comparisons.push_back(comparison(engine.Comparisons().Item(k), years));
    doc["Comparisons"] = std::move(comparisons);
    return doc;
}

}  // namespace qvc::cli
