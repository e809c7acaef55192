#pragma once
// The engine's collection of comparisons. The engine returns the same
// collection object on every call of Comparisons(); Calculate leaves exactly
// (number of alternatives - 1) members in it.

#include <cstdint>

#include "tavlo/Export.h"
#include "tavlo/IComparison.h"

namespace tavlo {

class TAVLO_EXPORT IComparisons {
  public:
    virtual ~IComparisons() = default;

    // Replaces the members by `count` fresh comparisons without results. A
    // negative count throws qvc::rt::Error 5. References from earlier Item calls
    // become invalid here and in Calculate.
    virtual void Initialize(int16_t count) = 0;
    // Member `index`, 1-based; outside 1..Count throws Error 9.
    virtual IComparison& Item(int16_t index) = 0;
    virtual const IComparison& Item(int16_t index) const = 0;
    virtual int16_t Count() const = 0;
};

}  // namespace tavlo
