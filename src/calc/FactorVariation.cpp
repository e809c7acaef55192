#include "calc/FactorVariation.h"

#include "qvc/runtime/NumberFormat.h"

namespace qvc::calc {
namespace {

// The fields of the case lists that a group changes.
constexpr long kInvCost = 2;
constexpr long kInvEscalation = 4;
constexpr long kInvSalvage = 9;
constexpr long kAnnualCost = 2;
constexpr long kAnnualEscalation = 5;
constexpr long kOtherCost = 2;
constexpr long kOtherEscalation = 6;

// Changes field `field` of every item; a Null stays Null (the range check
// refuses it as it would refuse the stored value).
void changeField(rt::DynArray2<rt::Value>& list, long field, double value, ValueUse use) {
    if (!list.isDimensioned())
        return;
    for (long item = list.lbound(2); item <= list.ubound(2); ++item) {
        rt::Value& v = list(field, item);
        if (v.isNull())
            continue;
        v = rt::Value(use == ValueUse::Multiply ? v.toDouble() * value : value);
    }
}

}  // namespace

StudyArray studyWithRate(const StudyArray& study, SensitivityFactorKind kind, double rate) {
    StudyArray varied = study;
    const size_t slot = kind == SensitivityFactorKind::DiscountRate ? StudyField::DiscountRate
                                                                    : StudyField::IncomeTaxRate;
    varied[slot] = rt::CStr(rate * 100.0);
    return varied;
}

CaseSnapshot caseWithGroup(const CaseSnapshot& kase, SensitivityFactorKind kind, double value,
                           ValueUse use) {
    CaseSnapshot varied = kase;
    switch (kind) {
        case SensitivityFactorKind::InvestmentCosts:
            changeField(varied.Inv, kInvCost, value, ValueUse::Multiply);
            changeField(varied.Inv, kInvSalvage, value, ValueUse::Multiply);
            break;
        case SensitivityFactorKind::AnnualCosts:
            changeField(varied.Ann, kAnnualCost, value, ValueUse::Multiply);
            break;
        case SensitivityFactorKind::OtherCosts:
            changeField(varied.Other, kOtherCost, value, ValueUse::Multiply);
            break;
        case SensitivityFactorKind::EscalationRates: {
            // The lists keep escalation in percent.
            const double v = use == ValueUse::Replace ? value * 100.0 : value;
            changeField(varied.Inv, kInvEscalation, v, use);
            changeField(varied.Ann, kAnnualEscalation, v, use);
            changeField(varied.Other, kOtherEscalation, v, use);
            break;
        }
        default:
            break;
    }
    return varied;
}

double baseRate(const StudySettings& settings, SensitivityFactorKind kind) {
    return (kind == SensitivityFactorKind::DiscountRate ? settings.discountRate
                                                        : settings.incomeTaxRate) /
           100.0;
}

}  // namespace qvc::calc
