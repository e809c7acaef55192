#pragma once
// The sensitivity analysis of a study as one JSON document (sensitivity.json
// of `qvc sensitivity`). It reads only the public result, so any host can
// produce the same document.
//
// {"Study": {ID, Title, CurrencySymbol, DiscountRate, IncomeTaxRate, IncomeTaxes},
//  "Cases": [{CaseID, CaseTitle, CaseShortTitle}],
//  "Base": point, "PreferredCaseID": base preferred case,
//  "Factors": [{Name, Label, Low: point, High: point, PreferredSwing}],
//  "Crossings": [{CaseID, DiscountRate}], "BreakEven": null or
//  {CaseID, DiscountRate, AtBreakEven: point}}
// A point: {Value, Calculated, TotalPresentWorth: [per case, in "Cases"
// order], PreferredCaseID} or, when not calculated, {Value, Calculated: false,
// ErrorNumber, ErrorDescription}. Rates are fractions; a cost group's Value
// is the multiplier applied.

#include <nlohmann/json.hpp>

#include "qvc/SensitivityAnalysis.h"

namespace qvc::cli {

nlohmann::ordered_json sensitivityJson(const SensitivityResult& result);

}  // namespace qvc::cli
