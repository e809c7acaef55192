#include "BrentRoot.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavlo {

double brentRoot(const std::function<double(double)>& f, double a, double b, double fa, double fb,
                 double tolerance) {
    constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
    constexpr int kMaxIterations = 200;
    // b is the best estimate, a the previous one, c the point that keeps the
    // root bracketed between b and c.
    double c = b;
    double fc = fb;
    double step = b - a;
    double previousStep = step;
    for (int i = 0; i < kMaxIterations; ++i) {
        if ((fb > 0.0) == (fc > 0.0)) {
            c = a;
            fc = fa;
            step = previousStep = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol = 2.0 * kEpsilon * std::fabs(b) + 0.5 * tolerance;
        const double half = 0.5 * (c - b);
        if (std::fabs(half) <= tol || fb == 0.0) {
            return b;
        }
        if (std::fabs(previousStep) >= tol && std::fabs(fa) > std::fabs(fb)) {
            const double s = fb / fa;
            double p = 0.0;
            double q = 0.0;
            if (a == c) {
                p = 2.0 * half * s;  // secant
                q = 1.0 - s;
            } else {
                const double qa = fa / fc;  // inverse quadratic interpolation
                const double r = fb / fc;
                p = s * (2.0 * half * qa * (qa - r) - (b - a) * (r - 1.0));
                q = (qa - 1.0) * (r - 1.0) * (s - 1.0);
            }
            if (p > 0.0) {
                q = -q;
            } else {
                p = -p;
            }
            if (2.0 * p <
                std::min(3.0 * half * q - std::fabs(tol * q), std::fabs(previousStep * q))) {
                previousStep = step;
                step = p / q;
            } else {
                step = half;
                previousStep = half;
            }
        } else {
            step = half;
            previousStep = half;
        }
        a = b;
        fa = fb;
        b += std::fabs(step) > tol ? step : (half > 0.0 ? tol : -tol);
        fb = f(b);
    }
    return b;
}

}  // namespace tavlo
