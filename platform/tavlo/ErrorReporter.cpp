#include "ErrorReporter.h"

#include <fmt/format.h>

#include <cmath>

// qvc::rt::Error crosses this library's boundary; keep its type information
// visible so that callers catch it by type.
#pragma GCC visibility push(default)
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#pragma GCC visibility pop

namespace tavlo {

namespace {
constexpr const char* kLibraryName = "Tavlo";
}

void ErrorReporter::report(int32_t number, const std::string& description,
                           std::string_view className, std::string_view methodName) const {
    if (!handler_) {
        return;
    }
    TavloError error{number, description, std::string(kLibraryName) + "." + std::string(className)};
    handler_(error, kLibraryName, std::string(className), std::string(methodName));
}

void ErrorReporter::raise(int32_t number, const std::string& description,
                          std::string_view className, std::string_view methodName) const {
    report(number, description, className, methodName);
    throw qvc::rt::Error(number, description);
}

void ErrorReporter::checkIndex(int32_t index, int32_t count, std::string_view what,
                               std::string_view className, std::string_view methodName) const {
    if (index >= 1 && index <= count) {
        return;
    }
    std::string range = count >= 1 ? fmt::format("outside 1..{}", count) : "not there (none exist)";
    raise(qvc::rt::err::kSubscriptOutOfRange, fmt::format("{} {} is {}", what, index, range),
          className, methodName);
}

void ErrorReporter::checkFinite(double value, std::string_view className,
                                std::string_view methodName) const {
    if (std::isfinite(value)) {
        return;
    }
    raise(qvc::rt::err::kInvalidProcedureCall, std::string(methodName) + " needs a finite number",
          className, methodName);
}

}  // namespace tavlo
