#include "DepreciationSchedule.h"

#include <algorithm>

#include "MacrsTable.h"

namespace tavlo {

namespace {
enum Method { kStraightLine, kSumOfYears, kDouble, kOneAndHalf, kMacrs, kNone };
}

DepreciationSchedule::DepreciationSchedule(int method, int life, double basis)
    : method_(method), life_(life), basis_(basis), remaining_(basis) {
    if (method_ == kMacrs) {
        table_ = macrsPercentages(life_);
    }
    if (life_ < 1 || basis_ <= 0.0 || method_ < kStraightLine || method_ >= kNone) {
        remaining_ = 0.0;
    }
}

// One declining-balance year: the larger of the declining-balance amount and
// straight line over the remaining life; once straight line wins it stays.
double DepreciationSchedule::decliningBalance(double rate, double remainingLife) {
    double db = remaining_ * rate;
    double sl = remainingLife > 0.0 ? remaining_ / remainingLife : remaining_;
    if (switched_ || sl >= db) {
        switched_ = true;
        return sl;
    }
    return db;
}

double DepreciationSchedule::next() {
    if (remaining_ <= 0.0) {
        return 0.0;
    }
    ++year_;
    const int k = year_;
    const double d = life_;
    int lastYear = life_;
    double amount = 0.0;
    switch (method_) {
        case kStraightLine:
            amount = basis_ / d;
            break;
        case kSumOfYears:
            amount = basis_ * (d - k + 1) / (d * (d + 1) / 2);
            break;
        case kDouble:
            amount = decliningBalance(2.0 / d, d - k + 1);
            break;
        case kOneAndHalf:
            amount = decliningBalance(1.5 / d, d - k + 1);
            break;
        case kMacrs:
            lastYear = life_ + 1;
            if (!table_.empty()) {
                amount = basis_ * table_[static_cast<std::size_t>(k) - 1] / 100.0;
            } else {
                // Half a year in the first year; from the second year on the
                // remaining life counts the half year still to come at the end.
                const double rate = (life_ <= 10 ? 2.0 : 1.5) / d;
                amount = k == 1 ? remaining_ * rate * 0.5 : decliningBalance(rate, d - k + 1.5);
            }
            break;
        default:
            break;
    }
    if (k >= lastYear) {
        amount = remaining_;
    }
    amount = std::min(amount, remaining_);
    remaining_ -= amount;
    if (k >= lastYear) {
        remaining_ = 0.0;
    }
    return amount;
}

}  // namespace tavlo
