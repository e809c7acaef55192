#pragma once
// The range check of a loaded study's settings that every calculation makes
// before anything goes to the engine.

#include "common/StudySettings.h"

namespace qvc::calc {

// True when the study's length of analysis is a whole number of years from 2
// to 50, its discount rate 0 to 50 % and its income tax rate 0 to 99 %
// (inclusive); false also when a setting is no number.
bool studySettingsInRange(const StudyArray& study);

}  // namespace qvc::calc
