#include "calc/SalvageLimit.h"

#include <cmath>

#include "qvc/runtime/Rounding.h"

namespace qvc::calc {

double salvageLimit(double cost, double escalation, double year, double life) {
    if (cost < 0)
        return 0.0;
    if (escalation == 0)
        return cost;
    const double growth = 1.0 + escalation;
    // The escalated cost is meant as a decimal amount: 1000 at 10 % over three
    // years is 1331 even though the binary product may land a hair below it, so
    // the noise beyond the ninth decimal is dropped before cutting to whole money.
    const double escalated = rt::RoundHalfEven(cost * std::pow(growth, year), 9);
    return rt::Int(escalated) / std::pow(growth, year + life);
}

}  // namespace qvc::calc
