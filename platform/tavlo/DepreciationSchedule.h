#pragma once
// Yields an asset's depreciation year by year (k = 1, 2, ... after the year it
// was bought), for the six methods:
//   0 straight line, 1 sum-of-years' digits, 2 double declining balance,
//   3 150 % declining balance (both switching to straight line), 4 MACRS
//   (published rows, else computed with the half-year convention), 5 none.
// The amounts of a schedule add up to the basis; after the last year next()
// returns 0.

#include <span>

namespace tavlo {

class DepreciationSchedule {
  public:
    DepreciationSchedule(int method, int life, double basis);

    double next();

  private:
    double decliningBalance(double rate, double remainingLife);

    int method_;
    int life_;
    double basis_;
    double remaining_;
    int year_ = 0;  // years handed out so far
    bool switched_ = false;
    std::span<const double> table_;
};

}  // namespace tavlo
