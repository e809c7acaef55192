#include "calc/SensitivityRunner.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

#include "calc/BreakEvenSearch.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::calc {
namespace {

constexpr double kLowMultiplier = 0.8;
constexpr double kHighMultiplier = 1.2;
// The discount rates searched for a break-even.
constexpr double kBreakEvenLow = 0.0;
constexpr double kBreakEvenHigh = 0.30;

std::string genText(const CaseSnapshot& kase, long field) {
    return kase.Gen.isDimensioned() && kase.Gen.ubound() >= field ? kase.Gen(field) : std::string();
}

bool anyAbove(const rt::DynArray2<rt::Value>& list, long field, double limit) {
    if (!list.isDimensioned())
        return false;
    for (long item = list.lbound(2); item <= list.ubound(2); ++item) {
        const rt::Value& v = list(field, item);
        if (!v.isNull() && v.isNumeric() && v.toDouble() > limit)
            return true;
    }
    return false;
}

}  // namespace

SensitivityRunner::SensitivityRunner(int16_t studyId, const ResourceTexts& texts)
    : study_(readSensitivityStudy(studyId)), calculator_(study_, texts) {
    result_.studyId = studyId;
    describeStudy();
    result_.base = calculator_.calculate(study_.study);
    if (result_.base.calculated)
        baseFlows_ = cashFlowsOf(calculator_.engine());
}

void SensitivityRunner::describeStudy() {
    const StudySettings& s = study_.settings;
    result_.studyTitle = s.title;
    result_.currencySymbol = s.currencySymbol;
    result_.baseDiscountRate = s.discountRate / 100.0;
    result_.baseTaxRate = s.incomeTaxRate / 100.0;
    result_.incomeTaxes = s.typeOfAnalysis == 0 && s.calculateIncomeTaxes;
    result_.caseIds = study_.caseIds;
    for (const CaseSnapshot& kase : study_.cases) {
        result_.caseTitles.push_back(genText(kase, 1));
        result_.caseShortTitles.push_back(genText(kase, 2));
    }
}

std::vector<SensitivityFactor> SensitivityRunner::defaultFactors() const {
    const int16_t type = study_.settings.typeOfAnalysis;
    const bool fullFamily = type != 2 && type != 3;
    const bool otherCosts = type == 0 || type == 1;
    std::vector<SensitivityFactor> factors;
    auto add = [&factors](SensitivityFactorKind kind, int16_t caseId) {
        SensitivityFactor f;
        f.kind = kind;
        f.caseId = caseId;
        factors.push_back(f);
    };
    add(SensitivityFactorKind::DiscountRate, 0);
    if (result_.incomeTaxes)
        add(SensitivityFactorKind::IncomeTaxRate, 0);
    for (size_t i = 0; i < study_.cases.size(); ++i) {
        const CaseSnapshot& c = study_.cases[i];
        const int16_t id = study_.caseIds[i];
        if (c.Inv.isDimensioned())
            add(SensitivityFactorKind::InvestmentCosts, id);
        if (c.Ann.isDimensioned())
            add(SensitivityFactorKind::AnnualCosts, id);
        if (otherCosts && c.Other.isDimensioned())
            add(SensitivityFactorKind::OtherCosts, id);
        if ((fullFamily && anyAbove(c.Inv, 4, 0)) || anyAbove(c.Ann, 5, 0) ||
            (otherCosts && anyAbove(c.Other, 6, 0)))
            add(SensitivityFactorKind::EscalationRates, id);
    }
    return factors;
}

const SensitivityResult& SensitivityRunner::run(const std::vector<SensitivityFactor>& factors) {
    for (const SensitivityFactor& f : factors)
        checkFactor(f);
    result_.factors.clear();
    for (const SensitivityFactor& f : factors)
        result_.factors.push_back(factorResult(f));
    findBreakEven();
    return result_;
}

void SensitivityRunner::checkFactor(const SensitivityFactor& f) const {
    const bool perCase = f.kind != SensitivityFactorKind::DiscountRate &&
                         f.kind != SensitivityFactorKind::IncomeTaxRate;
    if (perCase && !study_.positionOf(f.caseId))
        throw rt::Error(rt::err::kSubscriptOutOfRange,
                        fmt::format("Study {} has no design case {} (factor {})", studyId(),
                                    f.caseId, f.name()));
    if (f.low.has_value() != f.high.has_value())
        throw rt::Error(rt::err::kInvalidProcedureCall,
                        "Factor " + f.name() + " needs both a low and a high value, or neither");
    if ((f.low && !std::isfinite(*f.low)) || (f.high && !std::isfinite(*f.high)))
        throw rt::Error(rt::err::kInvalidProcedureCall,
                        "Factor " + f.name() + " has a value that is not a number");
}

SensitivityFactorResult SensitivityRunner::factorResult(const SensitivityFactor& factor) {
    SensitivityFactorResult r;
    r.factor = factor;
    r.name = factor.name();
    r.label = labelOf(factor);
    r.low = pointAt(factor, factor.low, kLowMultiplier);
    r.high = pointAt(factor, factor.high, kHighMultiplier);
    r.preferredSwing = swingOf(r);
    return r;
}

SensitivityPoint SensitivityRunner::pointAt(const SensitivityFactor& factor,
                                            std::optional<double> given, double defaultMultiplier) {
    const SensitivityFactorKind kind = factor.kind;
    if (kind == SensitivityFactorKind::DiscountRate || kind == SensitivityFactorKind::IncomeTaxRate)
        return studyRatePoint(kind,
                              given ? *given : baseRate(study_.settings, kind) * defaultMultiplier);
    // A given escalation is the rate itself; a given cost change is relative.
    ValueUse use = ValueUse::Multiply;
    double value = defaultMultiplier;
    if (given && kind == SensitivityFactorKind::EscalationRates) {
        use = ValueUse::Replace;
        value = *given;
    } else if (given) {
        value = 1.0 + *given;
    }
    const size_t position = *study_.positionOf(factor.caseId);
    CaseSnapshot varied = caseWithGroup(study_.cases[position], kind, value, use);
    SensitivityPoint point = calculator_.calculate(study_.study, position, &varied);
    point.value = value;
    return point;
}

SensitivityPoint SensitivityRunner::studyRatePoint(SensitivityFactorKind kind, double rate) {
    SensitivityPoint point = calculator_.calculate(studyWithRate(study_.study, kind, rate));
    point.value = rate;
    return point;
}

double SensitivityRunner::swingOf(const SensitivityFactorResult& f) const {
    const std::optional<size_t> p = study_.positionOf(result_.base.preferredCaseId);
    if (!p || !f.low.calculated || !f.high.calculated)
        return 0;
    return std::fabs(f.high.totalPresentWorth[*p] - f.low.totalPresentWorth[*p]);
}

void SensitivityRunner::findBreakEven() {
    result_.crossings.clear();
    result_.breakEven.reset();
    result_.atBreakEven.reset();
    const std::optional<size_t> p = study_.positionOf(result_.base.preferredCaseId);
    if (!p || baseFlows_.size() != study_.cases.size())
        return;
    for (size_t c = 0; c < baseFlows_.size(); ++c) {
        if (c == *p)
            continue;
        if (auto rate =
                lowestCrossing(baseFlows_[*p], baseFlows_[c], kBreakEvenLow, kBreakEvenHigh))
            result_.crossings.push_back({study_.caseIds[c], *rate});
    }
    std::stable_sort(
        result_.crossings.begin(), result_.crossings.end(),
        [](const BreakEvenRate& a, const BreakEvenRate& b) { return a.rate < b.rate; });
    if (result_.crossings.empty())
        return;
    result_.breakEven = result_.crossings.front();
    result_.atBreakEven =
        studyRatePoint(SensitivityFactorKind::DiscountRate, result_.breakEven->rate);
}

std::string SensitivityRunner::labelOf(const SensitivityFactor& factor) const {
    std::string group;
    switch (factor.kind) {
        case SensitivityFactorKind::DiscountRate:
            return "Discount rate";
        case SensitivityFactorKind::IncomeTaxRate:
            return "Income tax rate";
        case SensitivityFactorKind::InvestmentCosts:
            group = "Investment costs";
            break;
        case SensitivityFactorKind::AnnualCosts:
            group = "Annual costs";
            break;
        case SensitivityFactorKind::OtherCosts:
            group = "Other costs";
            break;
        case SensitivityFactorKind::EscalationRates:
            group = "Escalation rates";
            break;
    }
    const size_t position = *study_.positionOf(factor.caseId);
    std::string name = result_.caseShortTitles[position];
    if (name.empty())
        name = result_.caseTitles[position];
    if (name.empty())
        name = fmt::format("case {}", factor.caseId);
    return group + ": " + name;
}

}  // namespace qvc::calc
