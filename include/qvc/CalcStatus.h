#pragma once
// The status codes a calculation and the report build leave behind
// (cORVCalculator::ReturnError). Hosts read them as numbers; the numbers never
// change, so a host may keep comparing with the number or use these names.

#include <cstdint>

namespace qvc {

enum class CalcStatus : int16_t {
    Ok = 0,
    // The folder for the text cash flow file does not exist.
    TextFileFolderMissing = 301,
    // The study has no design case.
    NoDesignCase = 302,
    // A design case record is missing.
    CaseRecordMissing = 308,
    // The length of analysis, discount rate or tax rate is out of range.
    StudySettingsOutOfRange = 309,
    // A value of a design case is out of range.
    CaseValueOutOfRange = 310,
    // The text cash flow file cannot be created or written.
    TextFileNotWritable = 333,
};

// The number a host sees for a status.
constexpr int16_t statusNumber(CalcStatus status) {
    return static_cast<int16_t>(status);
}

// True when the status number `code` is `status`.
constexpr bool operator==(int16_t code, CalcStatus status) {
    return code == statusNumber(status);
}

}  // namespace qvc
