#pragma once
// The bundled office HVAC example, read by `qvc`'s JSON reader and calculated as `qvc calc` does.
// Destroy an ExampleProject before resetting the thread's state (its calculator empties colCases).

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "qvc/cDesignCase.h"
#include "qvc/cORVCalculator.h"
#include "qvc/cORVProject.h"
#include "qvc/cStudy.h"

namespace qvc::test {

// Variations of the example study; every default keeps the example's value.
struct ExampleVariant {
    int16_t analysis = 0;      // 0 private, 1 public sector, 2 simple payback, 3 simple cash flow
    int16_t alternatives = 0;  // 0 mutually exclusive, 1 independent
    bool taxes = true;         // false: income taxes not considered (rate 0)
    std::string currency;      // empty: the example's "$"
    std::string title;         // empty: the example's title
    int16_t lifecycle = 0;     // 0: the example's 25 years
};
inline ExampleVariant variantOf(int16_t analysis, int16_t alternatives, bool taxes) {
    return ExampleVariant{analysis, alternatives, taxes, "", "", 0};
}

cStudy exampleStudy(const ExampleVariant& variant = {});
// In file order: refurbish, high efficiency, ground source.
std::vector<cDesignCase> exampleCases();

class ExampleProject {
  public:
    // Creates the project in (and works in) `folder`.
    explicit ExampleProject(const std::filesystem::path& folder);
    ~ExampleProject();

    // Stores `study` and `cases` (with the study's analysis and length); returns the study's ID.
    int16_t store(const cStudy& study, std::vector<cDesignCase> cases);

    // Stores the example (with `cases` when given) and calculates it; false: see getErrorMsg().
    bool calculate(const ExampleVariant& variant = {}, std::vector<cDesignCase> cases = {},
                   const std::string& reportTypes = "LS-AD-CF-TPW");

    cORVProject& project() { return *project_; }
    cORVCalculator& calculator() const { return *calculator_; }

  private:
    std::unique_ptr<cORVProject> project_;
    std::unique_ptr<cORVCalculator> calculator_;
};

}  // namespace qvc::test
