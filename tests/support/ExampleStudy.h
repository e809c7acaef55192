#pragma once
// The bundled office HVAC example (examples/office-hvac: three central plant
// options for an office building, 25 years at 7 %, 26 % income tax) the way
// tests use it: read by the JSON reader `qvc` uses, stored in a fresh project
// through the project component and calculated by the real calculator and
// engine (cORVCalculator::PerformCalc, as `qvc calc` does). After calculate()
// the thread's state holds what a calculation run leaves for the reports: the
// study in arrStudy, the case snapshots in colCases and the engine's results
// in colAlternatives and colComparisons.
//
// The caller resets the thread's state between tests; an ExampleProject must
// be destroyed before that (its calculator empties colCases when it goes).

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
// The example with another type of analysis, of alternatives, and taxes or not.
inline ExampleVariant variantOf(int16_t analysis, int16_t alternatives, bool taxes) {
    ExampleVariant v;
    v.analysis = analysis;
    v.alternatives = alternatives;
    v.taxes = taxes;
    return v;
}

std::filesystem::path exampleFolder();
// The example's study.json with `variant` applied.
cStudy exampleStudy(const ExampleVariant& variant = {});
// The example's design cases in file order: refurbish, high efficiency,
// ground source.
std::vector<cDesignCase> exampleCases();

// A project database in a folder of the test's, the example (or other cases)
// stored in it and calculated.
class ExampleProject {
  public:
    // Names the shipped resource texts, creates the project database in
    // `folder` (which must exist) and makes `folder` the thread's work folder.
    explicit ExampleProject(const std::filesystem::path& folder);
    ~ExampleProject();
    ExampleProject(const ExampleProject&) = delete;
    ExampleProject& operator=(const ExampleProject&) = delete;

    // Stores `study` and then `cases` in their order, each case with the
    // study's type of analysis and length; returns the new study's ID.
    int16_t store(const cStudy& study, std::vector<cDesignCase> cases);

    // Stores the example study with `variant` and the example's cases (or
    // `cases` when given), then calculates it with `reportTypes` requested.
    // True when the engine ran; calculator().getErrorMsg() says why not.
    bool calculate(const ExampleVariant& variant = {}, std::vector<cDesignCase> cases = {},
                   const std::string& reportTypes = "LS-AD-CF-TPW");

    cORVProject& project() { return *project_; }
    // The calculator of the last calculate(); its engine holds the results.
    cORVCalculator& calculator() const { return *calculator_; }
    int16_t studyId() const { return studyId_; }

  private:
    std::unique_ptr<cORVProject> project_;
    std::unique_ptr<cORVCalculator> calculator_;
    int16_t studyId_ = 0;
};

}  // namespace qvc::test
