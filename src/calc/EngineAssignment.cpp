#include "calc/EngineAssignment.h"

#include <fmt/format.h>

#include "qvc/CalcStatus.h"
#include "qvc/runtime/BasicString.h"
#include "qvc/runtime/Value.h"

namespace qvc::calc {

std::optional<double> numberOf(const rt::Value& v) {
    if (v.isNull())
        return std::nullopt;
    return v.toDouble();
}

int16_t itemIndex(long item) {
    return rt::Value(static_cast<double>(item)).toInt16();
}

EngineAssignment::EngineAssignment(tavlo::ILifeCycleEngine& engine, ThreadState& state,
                                   bool& invalidCaseData, std::string& invalidValue)
    : engine_(engine),
      state_(state),
      study_(StudySettings::fromStudyArray(state.arrStudy)),
      invalid_(invalidCaseData),
      invalidValue_(invalidValue) {}

tavlo::IAlternative& EngineAssignment::alternative(int16_t position) {
    return engine_.Alternatives().Item(position);
}

void EngineAssignment::markInvalid(const rt::Value& v, Bound lo, Bound hi, const Field& field) {
    invalid_ = true;
    state_.gErrCode = statusNumber(CalcStatus::CaseValueOutOfRange);
    if (!invalidValue_.empty())
        return;
    const ResourceTexts& res = state_.res;
    auto number = [](double x) { return rt::Value(x).toText(); };
    std::string text = rt::Replace(res.gXstrInvalidValueAt, "{list}", field.list);
    text = rt::Replace(text, "{row}", fmt::format("{}", field.row));
    text = rt::Replace(text, "{field}", rt::Trim(field.name));
    text = rt::Replace(text, "{value}", v.isNull() ? std::string("-") : v.toText());
    // A bound that depends on another value out of range is unknown.
    if (lo && hi) {
        std::string range = rt::Replace(res.gXstrInvalidValueRange, "{low}", number(*lo));
        text += rt::Replace(range, "{high}", number(*hi));
    }
    invalidValue_ = text;
}

bool EngineAssignment::inRange(const rt::Value& v, Bound lo, Bound hi, const Field& field) {
    std::optional<double> x = numberOf(v);
    if (x && lo && hi && *lo <= *x && *x <= *hi)
        return true;
    markInvalid(v, lo, hi, field);
    return false;
}

void EngineAssignment::study() {
    engine_.setAnalysisType(study_.typeOfAnalysis);
    engine_.setAlternativeType(study_.typeOfAlternatives);
    engine_.setAnalysisPeriod(study_.lifeCycle);
    engine_.setDiscountRate(study_.discountRate / 100.0);
    engine_.setIncomeTaxFlag(study_.calculateIncomeTaxes);
    engine_.setIncomeTaxRate(study_.incomeTaxRate / 100.0);
}

}  // namespace qvc::calc
