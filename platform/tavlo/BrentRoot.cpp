#include "BrentRoot.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavlo {
namespace {

// b is the best estimate, a the previous one, c the point that keeps the root
// bracketed between b and c; step and previousStep are the last two moves.
struct BrentState {
    double a, b, c;
    double fa, fb, fc;
    double step, previousStep;
};

// Keeps the root between b and c, with b the end of smaller |f|.
void keepRootBracketed(BrentState& s) {
    if ((s.fb > 0.0) == (s.fc > 0.0)) {
        s.c = s.a;
        s.fc = s.fa;
        s.step = s.previousStep = s.b - s.a;
    }
    if (std::fabs(s.fc) < std::fabs(s.fb)) {
        s.a = s.b;
        s.b = s.c;
        s.c = s.a;
        s.fa = s.fb;
        s.fb = s.fc;
        s.fc = s.fa;
    }
}

// The next step: a secant or inverse quadratic interpolation step when the
// last steps shrank well and it stays inside the bracket, else a bisection.
void chooseStep(BrentState& s, double half, double tol) {
    if (std::fabs(s.previousStep) >= tol && std::fabs(s.fa) > std::fabs(s.fb)) {
        const double ratio = s.fb / s.fa;
        double p = 0.0;
        double q = 0.0;
        if (s.a == s.c) {
            p = 2.0 * half * ratio;  // secant
            q = 1.0 - ratio;
        } else {
            const double qa = s.fa / s.fc;  // inverse quadratic interpolation
            const double r = s.fb / s.fc;
            p = ratio * (2.0 * half * qa * (qa - r) - (s.b - s.a) * (r - 1.0));
            q = (qa - 1.0) * (r - 1.0) * (ratio - 1.0);
        }
        if (p > 0.0) {
            q = -q;
        } else {
            p = -p;
        }
        if (2.0 * p <
            std::min(3.0 * half * q - std::fabs(tol * q), std::fabs(s.previousStep * q))) {
            s.previousStep = s.step;
            s.step = p / q;
            return;
        }
    }
    s.step = half;
    s.previousStep = half;
}

}  // namespace

double brentRoot(const std::function<double(double)>& f, double a, double b, double fa, double fb,
                 double tolerance) {
    constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
    constexpr int kMaxIterations = 200;
    BrentState s{a, b, b, fa, fb, fb, b - a, b - a};
    for (int i = 0; i < kMaxIterations; ++i) {
        keepRootBracketed(s);
        const double tol = 2.0 * kEpsilon * std::fabs(s.b) + 0.5 * tolerance;
        const double half = 0.5 * (s.c - s.b);
        if (std::fabs(half) <= tol || s.fb == 0.0)
            return s.b;
        chooseStep(s, half, tol);
        s.a = s.b;
        s.fa = s.fb;
        s.b += std::fabs(s.step) > tol ? s.step : (half > 0.0 ? tol : -tol);
        s.fb = f(s.b);
    }
    return s.b;
}

}  // namespace tavlo
