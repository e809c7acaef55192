#include "calc/StudyCheck.h"

#include "qvc/runtime/Value.h"

namespace qvc::calc {

bool studySettingsInRange(const StudyArray& study) {
    StudySettings s;
    try {
        s = StudySettings::fromStudyArray(study);
    } catch (...) {
        return false;  // a setting that is no number
    }
    // The typed length is rounded; the stored text must be whole already.
    const bool wholeYears = rt::Value(study[StudyField::LifeCycle]).toDouble() == s.lifeCycle;
    return wholeYears && s.lifeCycle >= 2 && s.lifeCycle <= 50 && s.discountRate >= 0 &&
           s.discountRate <= 50 && s.incomeTaxRate >= 0 && s.incomeTaxRate <= 99;
}

}  // namespace qvc::calc
