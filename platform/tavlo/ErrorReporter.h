#pragma once
// Raises the engine's errors: calls the OnError handler, then throws
// qvc::rt::Error. Shared by the engine and its collections, which all keep a
// pointer to the one reporter their engine owns.

#include <cstdint>
#include <string>
#include <string_view>

#include "tavlo/TavloError.h"

namespace tavlo {

class ErrorReporter {
  public:
    void setHandler(ErrorHandler handler) { handler_ = std::move(handler); }

    // Calls the handler only (used by ValidateInputs, which returns false).
    void report(int32_t number, const std::string& description, std::string_view className,
                std::string_view methodName) const;

    // Calls the handler, then throws qvc::rt::Error(number, description).
    [[noreturn]] void raise(int32_t number, const std::string& description,
                            std::string_view className, std::string_view methodName) const;

    // Throws Error 9 unless 1 <= index <= count.
    void checkIndex(int32_t index, int32_t count, std::string_view what, std::string_view className,
                    std::string_view methodName) const;
    // Throws Error 5 unless value is finite.
    void checkFinite(double value, std::string_view className, std::string_view methodName) const;

  private:
    ErrorHandler handler_;
};

}  // namespace tavlo
