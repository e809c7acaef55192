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

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "qvc/cDesignCase.h"
#include "qvc/cStudy.h"

namespace qvc::cli {

// A JSON input the records cannot accept; the message names the field.
class JsonInputError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Parses a whole file; parse errors give the line and column.
nlohmann::ordered_json readJsonFile(const std::string& path);

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
