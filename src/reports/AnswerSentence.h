#pragma once
// The one-sentence answer written under the life-cycle summary's first table,
// from the calculated cases and the resource texts:
//  - mutually exclusive cases: the preferred case (the last comparison's
//    winner), its total present worth and what it saves against the next best
//    case (the lowest total present worth among the others) over the study
//    period; a study of one case names it with its total present worth;
//  - simple payback: the preferred case by payback;
//  - independent cases: the cases whose comparison with the base case they
//    won, or that none did.

#include <initializer_list>
#include <string>
#include <utility>

#include "reports/ReportInputs.h"

namespace qvc::reports {

// The answer for a life-cycle summary sub-code ("LS1" .. "LS7"), read from the
// build's results and study; raises 91 when there are no results.
std::string answerSentence(const ReportInputs& in, const std::string& subCode);

// `pattern` with every "{name}" replaced by its value; a name without a value
// stays as written.
std::string fillIn(std::string pattern,
                   std::initializer_list<std::pair<const char*, std::string>> values);

}  // namespace qvc::reports
