#pragma once
// Brent's method: a root of a continuous function inside a bracket whose ends
// have opposite signs. Combines bisection (always safe) with secant and inverse
// quadratic steps (fast near the root).

#include <functional>

namespace tavlo {

// Requires fa = f(a) and fb = f(b) of opposite signs. Returns x with the root
// within `tolerance` of x.
double brentRoot(const std::function<double(double)>& f, double a, double b, double fa, double fb,
                 double tolerance);

}  // namespace tavlo
