#pragma once
// Studies and design cases as JSON, the format `qvc study|case add|show|update`
// reads and writes.
//
// A study is an object whose keys are the ten members of cStudy. A case is an
// object with the scalar members of cDesignCase and four arrays
// "Investments", "Loans", "AnnualCosts", "OtherCosts"; element k of an array is
// row k of that list, an object keyed by the list's property names
// (InvItemName, InvCost, ..., InvItemPK). Missing keys and rows are empty;
// unknown keys, wrong types and too many rows are errors that name the field.
// The whole document is checked before a record is returned, so a caller has
// nothing to undo. Texts are written with bytes that are not UTF-8 replaced by
// U+FFFD, so that what is written can always be read again.

#include <nlohmann/json.hpp>
#include <string>

#include "JsonDocumentReader.h"
#include "JsonInputError.h"
#include "qvc/cDesignCase.h"
#include "qvc/cStudy.h"

namespace qvc::cli {

cStudy studyFromJson(const nlohmann::ordered_json& j);
nlohmann::ordered_json studyToJson(const cStudy& s);

// `present` receives which scalar keys the JSON held, so callers can fill the
// missing ones from the study.
struct CaseScalarsPresent {
    bool analysisType = false, lifecycle = false, studyId = false;
};
cDesignCase caseFromJson(const nlohmann::ordered_json& j, CaseScalarsPresent* present = nullptr);
// Writes rows up to the last one that holds anything.
nlohmann::ordered_json caseToJson(const cDesignCase& c);

}  // namespace qvc::cli
