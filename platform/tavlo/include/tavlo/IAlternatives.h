#pragma once
// The engine's collection of alternatives. The engine returns the same
// collection object on every call of Alternatives().

#include <cstdint>

#include "tavlo/Export.h"
#include "tavlo/IAlternative.h"

namespace tavlo {

class TAVLO_EXPORT IAlternatives {
  public:
    virtual ~IAlternatives() = default;

    // Replaces the members by `count` fresh alternatives (all inputs zero, no
    // results). References from earlier Item calls become invalid. A negative
    // count throws qvc::rt::Error 5.
    virtual void Initialize(int16_t count) = 0;
    // Member `index`, 1-based; outside 1..Count throws Error 9. The reference
    // stays valid until the next Initialize or the engine's destruction.
    virtual IAlternative& Item(int16_t index) = 0;
    virtual const IAlternative& Item(int16_t index) const = 0;
    virtual int16_t Count() const = 0;
};

}  // namespace tavlo
