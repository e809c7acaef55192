#pragma once
// Copies the loaded study and design case (the thread's shared arrays) into the
// life-cycle cost engine, turning percentages into fractions and checking every
// case value against its fixed range. A value out of range is not passed on:
// the case is marked invalid (the caller's flag and gErrCode CaseValueOutOfRange) and the next
// value is handled. The first value out of range is described for the
// message ("Loans, row 1, Term of Loan (years): 0, allowed 1 to 24").
//
// The rules depend on the study's type of analysis T: T 2 and 3 are the simple
// family (one investment with one loan, whole-period annual costs, no other
// costs); every other T the full family, where T = 1 replaces the stored tax
// and depreciation data by fixed values. L is the length of the analysis.
//
// Conversion failures (text that is not a number, a value that does not fit
// 16 bits) and engine failures are raised; values passed before stay in the
// engine. A Null in a range-checked field counts as out of range.

#include <cstdint>
#include <optional>
#include <string>

#include "common/StudySettings.h"
#include "common/ThreadState.h"
#include "tavlo/ILifeCycleEngine.h"

namespace qvc::calc {

class EngineAssignment {
  public:
    // `invalidValue` receives the description of the first value out of range
    // when it is still empty. The study settings are read from the state's
    // arrStudy here (a slot that holds no number raises).
    EngineAssignment(tavlo::ILifeCycleEngine& engine, ThreadState& state, bool& invalidCaseData,
                     std::string& invalidValue);

    // Type of analysis, alternatives, period, discount rate, tax flag and rate.
    void study();
    // Investment items and the loans financing them, for the alternative at
    // the 1-based position.
    void investments(int16_t position);
    void annualCosts(int16_t position);
    void otherCosts(int16_t position);

  private:
    using Bound = std::optional<double>;

    // Where a checked value sits: the list's and the field's names (resource
    // texts) and the 1-based row.
    struct Field {
        const std::string& list;
        long row;
        const std::string& name;
    };

    int16_t typeOfAnalysis() const { return study_.typeOfAnalysis; }
    int16_t analysisLength() const { return study_.lifeCycle; }
    static bool isSimpleFamily(int16_t type) { return type == 2 || type == 3; }
    tavlo::IAlternative& alternative(int16_t position);

    // True when v lies in lo..hi (inclusive); otherwise marks the case invalid
    // and describes the field. A Null value or an unknown bound is out of range.
    bool inRange(const rt::Value& v, Bound lo, Bound hi, const Field& field);
    void markInvalid(const rt::Value& v, Bound lo, Bound hi, const Field& field);

    void simpleInvestment(tavlo::IAlternative& alt, int16_t years);
    void fullInvestments(tavlo::IAlternative& alt, int16_t years, int16_t type);
    // The steps of one investment item (row j of the investment costs).
    void itemPurchase(tavlo::IAlternative& alt, int16_t item, long j, int16_t years);
    void itemTaxTreatment(tavlo::IAlternative& alt, int16_t item, long j, int16_t type);
    void itemDisposal(tavlo::IAlternative& alt, int16_t item, long j, int16_t years);
    void loanForItem(tavlo::IAlternative& alt, int16_t item, std::optional<double> itemYear,
                     int16_t years);

    tavlo::ILifeCycleEngine& engine_;
    ThreadState& state_;
    // The loaded study (arrStudy), read when the assignment is made.
    const StudySettings study_;
    bool& invalid_;
    std::string& invalidValue_;
};

// The value as a number; nothing for Null. Text that is not a number raises 13.
std::optional<double> numberOf(const rt::Value& v);
// A 1-based item number as the engine's 16-bit index (6 when it does not fit).
int16_t itemIndex(long item);

}  // namespace qvc::calc
