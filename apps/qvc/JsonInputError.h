#pragma once
#include <stdexcept>

namespace qvc::cli {

// A JSON input the records cannot accept; the message names the field or the
// line it concerns.
class JsonInputError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace qvc::cli
