#include "CalculationResults.h"

#include "JsonOutputFile.h"

namespace qvc::py {

namespace pyb = pybind11;

CalculationResults::CalculationResults(const nlohmann::ordered_json& doc)
    : text_(cli::jsonOutputText(doc, "\n")),
      document_(pyb::module_::import("json").attr("loads")(text_)) {}

int CalculationResults::studyId() const {
    return document_["StudyID"].cast<int>();
}

pyb::object CalculationResults::study() const {
    return document_["Study"];
}

pyb::object CalculationResults::settings() const {
    return document_["Settings"];
}

namespace {

template <typename Record>
pyb::list records(const pyb::handle& values) {
    pyb::list list;
    for (const pyb::handle item : values)
        list.append(pyb::cast(Record{{pyb::reinterpret_borrow<pyb::dict>(item)}}));
    return list;
}

}  // namespace

pyb::list CalculationResults::alternatives() const {
    return records<AlternativeResult>(document_["Alternatives"]);
}

pyb::list CalculationResults::comparisons() const {
    return records<ComparisonResult>(document_["Comparisons"]);
}

}  // namespace qvc::py
