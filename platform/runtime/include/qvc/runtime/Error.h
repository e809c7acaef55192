#pragma once
// The one error type that platform code throws: a number and a plain-English
// description. Numbers follow the classic Basic/Jet numbering where the old
// system had a counterpart (see ErrorNumbers.h), so error texts handed to the
// host keep the numbers users and support staff know.

#include <cstdint>
#include <stdexcept>
#include <string>
#include "qvc/runtime/Export.h"

namespace qvc::rt {

class QVC_RUNTIME_EXPORT Error : public std::runtime_error {
  public:
    Error(int32_t number, std::string description)
        : std::runtime_error(description), number_(number), description_(std::move(description)) {}

    int32_t number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }

  private:
    int32_t number_;
    std::string description_;
};

// Turns any exception into (number, description): an Error keeps its own,
// anything else becomes 51 "internal error" with the exception's text.
struct QVC_RUNTIME_EXPORT ErrorInfo {
    int32_t number = 0;
    std::string description;
};
QVC_RUNTIME_EXPORT ErrorInfo describeCurrentException();

}  // namespace qvc::rt
