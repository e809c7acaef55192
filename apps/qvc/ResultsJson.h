#pragma once
// Every result the engine holds for a calculated study as one JSON document
// (`qvc calc --json`): the study, the engine's settings, the alternatives in
// Number order and the comparisons in the engine's order. Keys are the
// engine's getter names; per-year getters become arrays over y = 0..L; values
// are the engine's unrounded doubles (-1 for an undefined rate, ratio or
// payback stays -1).

#include <nlohmann/json.hpp>
#include <vector>

#include "CalculatedCase.h"
#include "qvc/cStudy.h"
#include "tavlo/ILifeCycleEngine.h"

namespace qvc::cli {

nlohmann::ordered_json resultsJson(int studyId, const cStudy& study,
                                   const tavlo::ILifeCycleEngine& engine,
                                   const std::vector<CalculatedCase>& cases);

}  // namespace qvc::cli
