#pragma once
// qvcomponents.Results: every result of a calculated study, the document
// `qvc calc --json` writes. `alternatives` and `comparisons` are objects
// whose attributes are the engine's getters (TotalPresentWorth, Rank,
// CashInvestmentAt as a list over the years 0..L, ...), in the document's
// order: alternatives by Number, comparisons as the engine made them.

#include <pybind11/pybind11.h>

#include <nlohmann/json.hpp>
#include <string>

namespace qvc::py {

// One alternative or comparison: its values by getter name.
struct ResultRecord {
    pybind11::dict values;
};
struct AlternativeResult : ResultRecord {};
struct ComparisonResult : ResultRecord {};

class CalculationResults {
  public:
    explicit CalculationResults(const nlohmann::ordered_json& doc);

    int studyId() const;
    pybind11::object study() const;
    pybind11::object settings() const;
    pybind11::list alternatives() const;
    pybind11::list comparisons() const;
    // The document as `qvc calc --json -` prints it (line ends "\n").
    const std::string& toJson() const { return text_; }

  private:
    std::string text_;
    pybind11::dict document_;
};

}  // namespace qvc::py
