#pragma once
// The settings of the loaded study as typed values. ThreadState::arrStudy keeps
// them as the ten texts the calculator read from the project (StudyField names
// the slots); fromStudyArray reads those texts once, with the same Basic
// conversions the code applies to each slot, so users of the settings need no
// slot numbers and no text parsing.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qvc {

// The slots of ThreadState::arrStudy.
namespace StudyField {
constexpr std::size_t Title = 0;
constexpr std::size_t Description = 1;
constexpr std::size_t TypeOfAnalysis = 2;      // "0".."3"
constexpr std::size_t TypeOfAlternatives = 3;  // "0" mutually exclusive, "1" independent
constexpr std::size_t BaseYear = 4;
constexpr std::size_t LifeCycle = 5;        // years
constexpr std::size_t DiscountRate = 6;     // percent per year
constexpr std::size_t CalcIncomeTaxes = 7;  // "True" / "False"
constexpr std::size_t IncomeTaxRate = 8;    // percent
constexpr std::size_t CurrencySymbol = 9;
constexpr std::size_t Count = 10;
}  // namespace StudyField

using StudyArray = std::array<std::string, StudyField::Count>;

struct StudySettings {
    std::string title;
    std::string description;
    // 0 private life cycle, 1 public life cycle, 2 simple payback, 3 simple cash flow.
    int16_t typeOfAnalysis = 0;
    // 0 mutually exclusive alternatives, 1 independent alternatives.
    int16_t typeOfAlternatives = 0;
    int32_t baseYear = 0;
    std::string currencySymbol;
    int16_t lifeCycle = 0;      // years
    double discountRate = 0.0;  // percent per year, as entered (7 means 7 %)
    bool calculateIncomeTaxes = false;
    double incomeTaxRate = 0.0;  // percent, as entered

    // Reads the ten study texts: the whole numbers round half to even, the
    // rates are read as written, income taxes are on only for "True". A
    // numeric slot that holds no number (also an empty one) raises type
    // mismatch (13), one out of range overflow (6), as reading it did before.
    static StudySettings fromStudyArray(const StudyArray& study);

    // The ten texts as the calculator stores them: whole numbers in decimal,
    // rates as Basic's CStr writes them, "True"/"False".
    StudyArray toStudyArray() const;
};

}  // namespace qvc
