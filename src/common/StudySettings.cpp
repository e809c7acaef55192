#include "common/StudySettings.h"

#include <fmt/format.h>

#include "qvc/runtime/NumberFormat.h"
#include "qvc/runtime/Value.h"

namespace qvc {

StudySettings StudySettings::fromStudyArray(const StudyArray& study) {
    using namespace StudyField;
    StudySettings s;
    s.title = study[Title];
    s.description = study[Description];
    s.typeOfAnalysis = rt::Value(study[TypeOfAnalysis]).toInt16();
    s.typeOfAlternatives = rt::Value(study[TypeOfAlternatives]).toInt16();
    s.baseYear = rt::Value(study[BaseYear]).toInt32();
    s.currencySymbol = study[CurrencySymbol];
    s.lifeCycle = rt::Value(study[LifeCycle]).toInt16();
    s.discountRate = rt::Value(study[DiscountRate]).toDouble();
    s.calculateIncomeTaxes = study[CalcIncomeTaxes] == "True";
    s.incomeTaxRate = rt::Value(study[IncomeTaxRate]).toDouble();
    return s;
}

StudyArray StudySettings::toStudyArray() const {
    using namespace StudyField;
    StudyArray study;
    study[Title] = title;
    study[Description] = description;
    study[TypeOfAnalysis] = fmt::format("{}", typeOfAnalysis);
    study[TypeOfAlternatives] = fmt::format("{}", typeOfAlternatives);
    study[BaseYear] = fmt::format("{}", baseYear);
    study[LifeCycle] = fmt::format("{}", lifeCycle);
    study[DiscountRate] = rt::CStr(discountRate);
    study[CalcIncomeTaxes] = calculateIncomeTaxes ? "True" : "False";
    study[IncomeTaxRate] = rt::CStr(incomeTaxRate);
    study[CurrencySymbol] = currencySymbol;
    return study;
}

}  // namespace qvc
