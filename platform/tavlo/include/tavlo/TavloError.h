#pragma once
// What the engine hands to its OnError handler: the error itself and where it
// happened.

#include <cstdint>
#include <functional>
#include <string>

namespace tavlo {

// The run-time error the engine is about to raise. `number` follows the Basic
// numbering (5 invalid argument, 9 index out of range); `source` is
// "Tavlo.<class>".
struct TavloError {
    int32_t number = 0;
    std::string description;
    std::string source;
};

// OnError handler: called once, on the caller's thread, just before the failing
// call throws qvc::rt::Error with the same number and description (or, for
// ValidateInputs, just before it returns false). libraryName is "Tavlo";
// className is "LifeCycle", "Alternatives", "Alternative", "Comparisons" or
// "Comparison"; methodName is the operation's name (e.g. "CashInvestmentAt").
// The handler should not throw; if it does, its exception replaces the engine's.
using ErrorHandler =
    std::function<void(const TavloError& error, const std::string& libraryName,
                       const std::string& className, const std::string& methodName)>;

}  // namespace tavlo
