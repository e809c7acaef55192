#include "calc/SensitivityPointCalculator.h"

#include <fmt/format.h>

#include <utility>

#include "calc/EngineAssignment.h"
#include "calc/StudyCheck.h"
#include "qvc/CalcStatus.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::calc {
namespace {

// Puts a case into the scratch state's case arrays for the hand-over and
// takes it back afterwards (the arrays are swapped, not copied).
class CaseInState {
  public:
    CaseInState(CaseSnapshot& kase, ThreadState& st) : kase_(kase), st_(st) { swapArrays(); }
    ~CaseInState() { swapArrays(); }
    CaseInState(const CaseInState&) = delete;
    CaseInState& operator=(const CaseInState&) = delete;

  private:
    void swapArrays() {
        std::swap(kase_.Gen, st_.arrCaseGen);
        std::swap(kase_.Inv, st_.arrInvCosts);
        std::swap(kase_.Loan, st_.arrLoan);
        std::swap(kase_.Ann, st_.arrAnOpCost);
        std::swap(kase_.Other, st_.arrOtherCost);
    }
    CaseSnapshot& kase_;
    ThreadState& st_;
};

std::string caseName(const CaseSnapshot& kase, int16_t caseId) {
    if (kase.Gen.isDimensioned() && kase.Gen.ubound() >= 1 && !kase.Gen(1).empty())
        return fmt::format("design case {} ({})", caseId, kase.Gen(1));
    return fmt::format("design case {}", caseId);
}

std::string studySettingsText(const StudyArray& s) {
    return fmt::format(
        "The study settings are out of range: length {} years (allowed 2 to 50), discount rate "
        "{} % (allowed 0 to 50), income tax rate {} % (allowed 0 to 99)",
        s[StudyField::LifeCycle], s[StudyField::DiscountRate], s[StudyField::IncomeTaxRate]);
}

}  // namespace

SensitivityPointCalculator::SensitivityPointCalculator(const SensitivityStudy& study,
                                                       const ResourceTexts& texts)
    : study_(study), cases_(study.cases), engine_(tavlo::createEngine()) {
    scratch_.res = texts;
    engine_->setOnError([this](const tavlo::TavloError& e, const std::string&, const std::string&,
                               const std::string&) { engineMessage_ = e.description; });
}

SensitivityPoint SensitivityPointCalculator::calculate(const StudyArray& studyTexts,
                                                       size_t variedPosition,
                                                       CaseSnapshot* varied) {
    SensitivityPoint point;
    engineMessage_.clear();
    try {
        if (!studySettingsInRange(studyTexts)) {
            point.errorNumber = statusNumber(CalcStatus::StudySettingsOutOfRange);
            point.errorDescription = studySettingsText(studyTexts);
            return point;
        }
        if (!handOver(studyTexts, variedPosition, varied, point))
            return point;
        if (!engine_->ValidateInputs()) {
            point.errorNumber = rt::err::kInvalidProcedureCall;
            point.errorDescription = engineMessage_;
            return point;
        }
        engine_->Calculate();
        readResults(point);
    } catch (...) {
        const rt::ErrorInfo info = rt::describeCurrentException();
        point = SensitivityPoint{};
        point.errorNumber = info.number;
        point.errorDescription = info.description;
    }
    return point;
}

bool SensitivityPointCalculator::handOver(const StudyArray& studyTexts, size_t variedPosition,
                                          CaseSnapshot* varied, SensitivityPoint& point) {
    const auto count = static_cast<int16_t>(cases_.size());
    engine_->Alternatives().Initialize(count);
    engine_->Comparisons().Initialize(count > 1 ? static_cast<int16_t>(count - 1) : count);
    scratch_.arrStudy = studyTexts;
    for (size_t i = 0; i < cases_.size(); ++i) {
        CaseSnapshot& kase = varied != nullptr && i == variedPosition ? *varied : cases_[i];
        if (!handOverCase(i, kase, point))
            return false;
    }
    return true;
}

bool SensitivityPointCalculator::handOverCase(size_t position, CaseSnapshot& kase,
                                              SensitivityPoint& point) {
    const auto number = static_cast<int16_t>(position + 1);
    bool invalid = false;
    std::string invalidValue;
    scratch_.gErrCode = 0;
    {
        CaseInState inState(kase, scratch_);
        EngineAssignment assign(*engine_, scratch_, invalid, invalidValue);
        if (position == 0)
            assign.study();
        engine_->Alternatives().Item(number).setNumber(number);
        assign.investments(number);
        assign.annualCosts(number);
        assign.otherCosts(number);
    }
    if (!invalid)
        return true;
    point.errorNumber = statusNumber(CalcStatus::CaseValueOutOfRange);
    point.errorDescription = caseName(kase, study_.caseIds[position]) + ": " + invalidValue;
    return false;
}

void SensitivityPointCalculator::readResults(SensitivityPoint& point) const {
    const tavlo::IAlternatives& alternatives = engine_->Alternatives();
    point.totalPresentWorth.reserve(cases_.size());
    for (int16_t i = 1; i <= alternatives.Count(); ++i) {
        const tavlo::IAlternative& alt = alternatives.Item(i);
        point.totalPresentWorth.push_back(alt.TotalPresentWorth());
        if (alt.Rank() == 1)
            point.preferredCaseId = study_.caseIds[static_cast<size_t>(i - 1)];
    }
    point.calculated = true;
}

}  // namespace qvc::calc
