#pragma once
// How the answer of a study moves when one input is off: the study's discount
// rate or income tax rate, or one design case's investment costs, annual
// costs, other costs or escalation rates (each group varied as a whole). For
// every factor the study is calculated at a low, the base and a high value,
// and each point gives every case's total present worth (TPW) and the
// preferred case (lowest TPW; on a tie the case that comes first in the study).
// For the discount rate it also finds the break-even rates: where another
// case's TPW crosses the TPW of the case preferred at the base rate, between
// 0 and 30 %.
//
// The study and its cases are read once from the thread's project (set up
// as for cORVCalculator: cORVProject::setWorkPath / setProjectPath); the
// values are varied in memory and never written back, so the project file
// does not change. Every point goes through the same range checks as a
// calculation: a varied value out of range makes that point fail with its
// status number and text, the other points are still calculated.
//
// Factor names (also the command line's): "discount-rate", "tax-rate",
// "investment:CASE", "annual:CASE", "other:CASE", "escalation:CASE", where
// CASE is a design case ID.
//
// Values:
// - Without given values a factor is taken 20 % below and above its base
//   (low = 0.8 x base, high = 1.2 x base; for a cost group every amount of
//   the group, for the escalation group every escalation rate of the case).
// - Given values for the rates ("discount-rate", "tax-rate", "escalation:")
//   are absolute fractions that replace the base: discount-rate 0.02 .. 0.05
//   calculates the study at 2 % and 5 %; escalation:3 0 .. 0.04 sets every
//   escalation rate of case 3 to 0 % and to 4 %.
// - Given values for the cost groups are relative changes: investment:3
//   -0.1 .. 0.3 multiplies every investment cost and salvage value of case 3
//   by 0.9 and by 1.3 (a salvage value is money of the same item, so it moves
//   with the cost).
//
// No failure escapes: a procedure that fails returns false and leaves the
// error number and description (ErrorNumber, ErrorDescription) and the
// component's error record "number#description#procedure#SensitivityAnalysis#"
// (getErrorMsg).
//
// Threading: one object per thread; it uses the thread's project settings and
// leaves the thread's loaded study, case arrays and status as they were.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "qvc/Export.h"

namespace qvc {

enum class SensitivityFactorKind : int16_t {
    DiscountRate = 0,
    IncomeTaxRate = 1,
    InvestmentCosts = 2,
    AnnualCosts = 3,
    OtherCosts = 4,
    EscalationRates = 5,
};

struct QVC_EXPORT SensitivityFactor {
    SensitivityFactorKind kind = SensitivityFactorKind::DiscountRate;
    // The design case of a cost or escalation group; 0 for the study's rates.
    int16_t caseId = 0;
    // Given low and high values (see the file comment); unset: -20 % / +20 %.
    std::optional<double> low;
    std::optional<double> high;

    // "discount-rate", "investment:3", ...
    std::string name() const;
    // The factor a name stands for, without values; std::nullopt when the
    // name is none of the forms above (or its case ID is not 1..32767).
    static std::optional<SensitivityFactor> fromName(const std::string& name);
    // True for the factors whose given values are absolute rates.
    bool isRate() const;
};

struct QVC_EXPORT SensitivityPoint {
    // The factor's value here: a rate as a fraction (the discount rate, the
    // tax rate, or for the escalation group the given rate); for a cost group,
    // and for the escalation group without given values, the multiplier
    // applied. The study's base point (SensitivityResult::base) stands for
    // every factor at once and keeps 0 here.
    double value = 0;
    bool calculated = false;
    // Per case, in the order of SensitivityResult::caseIds; empty when the
    // point was not calculated.
    std::vector<double> totalPresentWorth;
    // The case with the lowest TPW; 0 when not calculated.
    int16_t preferredCaseId = 0;
    // Why the point was not calculated: a calculation status (309 study
    // setting out of range, 310 case value out of range) or an error number,
    // and a description naming the value.
    int32_t errorNumber = 0;
    std::string errorDescription;
};

struct QVC_EXPORT SensitivityFactorResult {
    SensitivityFactor factor;  // as asked (low and high set only when given)
    std::string name;          // factor.name()
    std::string label;         // "Discount rate", "Investment costs: <case short title>"
    SensitivityPoint low;
    SensitivityPoint high;
    // |TPW at high - TPW at low| of the case preferred at the base; 0 when a
    // side was not calculated.
    double preferredSwing = 0;
};

// Where another case's TPW equals the TPW of the case preferred at the base
// discount rate.
struct QVC_EXPORT BreakEvenRate {
    int16_t caseId = 0;  // the other case
    double rate = 0;     // discount rate, fraction
};

struct QVC_EXPORT SensitivityResult {
    int16_t studyId = 0;
    std::string studyTitle;
    std::string currencySymbol;
    double baseDiscountRate = 0;  // fractions
    double baseTaxRate = 0;
    bool incomeTaxes = false;  // whether the tax rate enters the results
    std::vector<int16_t> caseIds;
    std::vector<std::string> caseTitles;
    std::vector<std::string> caseShortTitles;
    // The study as stored.
    SensitivityPoint base;
    std::vector<SensitivityFactorResult> factors;
    // For each other case, its lowest crossing in 0..30 % (cases that never
    // cross are left out), in rising order of rate; empty when the base point
    // was not calculated.
    std::vector<BreakEvenRate> crossings;
    // The lowest of them: the discount rate at which the preferred case
    // changes; std::nullopt when no case crosses within 0..30 %.
    std::optional<BreakEvenRate> breakEven;
    // Every case's TPW calculated at the break-even rate (a check of the
    // root: the two cases' TPWs are equal there).
    std::optional<SensitivityPoint> atBreakEven;
};

class QVC_EXPORT SensitivityAnalysis {
  public:
    SensitivityAnalysis();
    ~SensitivityAnalysis();
    SensitivityAnalysis(const SensitivityAnalysis&) = delete;
    SensitivityAnalysis& operator=(const SensitivityAnalysis&) = delete;

    // The study to analyse.
    int16_t StudyID = 0;

    // Reads the study and its design cases from the project and calculates
    // the base point. False when the study does not exist, has no case, or
    // cannot be read.
    bool Load();
    // Every factor that moves the results of the loaded study, at -20 % /
    // +20 %: the discount rate, the tax rate when income taxes are
    // considered, and per case each group that has items (escalation: any
    // escalation rate above 0; other costs only in the life-cycle analyses).
    // Empty before a successful Load.
    std::vector<SensitivityFactor> DefaultFactors() const;
    // Calculates every factor at its low and high value and the break-even
    // rates (loads first when Load has not been called). False when the
    // analysis cannot be made at all (nothing loaded, a factor naming a case
    // the study does not have); a point out of range is not such a failure.
    bool Run(const std::vector<SensitivityFactor>& factors);
    // The last successful Run (or Load: the base point only).
    const SensitivityResult& Result() const;

    int32_t ErrorNumber() const { return m_errNumber; }
    std::string ErrorDescription() const { return m_errDescription; }
    std::string getErrorMsg() const { return m_errMsg; }

  private:
    class Impl;
    void recordFailure(const char* procedure);
    void clearError();

    std::unique_ptr<Impl> m_impl;
    int32_t m_errNumber = 0;
    std::string m_errDescription;
    std::string m_errMsg;
};

}  // namespace qvc
