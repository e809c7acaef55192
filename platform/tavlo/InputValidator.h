#pragma once
// Finds the first input the engine cannot calculate with and describes it.

#include <optional>
#include <string>

#include "AlternativeList.h"
#include "StudySettings.h"

namespace tavlo {

// Study settings first, then the alternatives in collection order and their
// items in index order. Returns nothing when every input is usable.
std::optional<std::string> firstInputProblem(const StudySettings& study,
                                             const AlternativeList& alternatives);

}  // namespace tavlo
