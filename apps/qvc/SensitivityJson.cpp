#include "SensitivityJson.h"

namespace qvc::cli {

namespace {

using json = nlohmann::ordered_json;

json point(const SensitivityPoint& p) {
    json j{{"Value", p.value}, {"Calculated", p.calculated}};
    if (p.calculated) {
        j["TotalPresentWorth"] = p.totalPresentWorth;
        j["PreferredCaseID"] = p.preferredCaseId;
    } else {
        j["ErrorNumber"] = p.errorNumber;
        j["ErrorDescription"] = p.errorDescription;
    }
    return j;
}

json study(const SensitivityResult& r) {
    return json{{"ID", r.studyId},
                {"Title", r.studyTitle},
                {"CurrencySymbol", r.currencySymbol},
                {"DiscountRate", r.baseDiscountRate},
                {"IncomeTaxRate", r.baseTaxRate},
                {"IncomeTaxes", r.incomeTaxes}};
}

json cases(const SensitivityResult& r) {
    json list = json::array();
    for (size_t i = 0; i < r.caseIds.size(); ++i)
        list.push_back(json{{"CaseID", r.caseIds[i]},
                            {"CaseTitle", r.caseTitles[i]},
                            {"CaseShortTitle", r.caseShortTitles[i]}});
    return list;
}

json factors(const SensitivityResult& r) {
    json list = json::array();
    for (const SensitivityFactorResult& f : r.factors)
        list.push_back(json{{"Name", f.name},
                            {"Label", f.label},
                            {"Low", point(f.low)},
                            {"High", point(f.high)},
                            {"PreferredSwing", f.preferredSwing}});
    return list;
}

json breakEven(const SensitivityResult& r) {
    if (!r.breakEven)
        return json();
    json j{{"CaseID", r.breakEven->caseId}, {"DiscountRate", r.breakEven->rate}};
    if (r.atBreakEven)
        j["AtBreakEven"] = point(*r.atBreakEven);
    return j;
}

}  // namespace

nlohmann::ordered_json sensitivityJson(const SensitivityResult& result) {
    json doc;
    doc["Study"] = study(result);
    doc["Cases"] = cases(result);
    doc["Base"] = point(result.base);
    doc["PreferredCaseID"] = result.base.preferredCaseId;
    doc["Factors"] = factors(result);
    json crossings = json::array();
    for (const BreakEvenRate& c : result.crossings)
        crossings.push_back(json{{"CaseID", c.caseId}, {"DiscountRate", c.rate}});
    doc["Crossings"] = crossings;
    doc["BreakEven"] = breakEven(result);
    return doc;
}

}  // namespace qvc::cli
