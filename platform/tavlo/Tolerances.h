#pragma once
// Thresholds that make two implementations agree on exact ties.

namespace tavlo {

// Sign tests on money treat |x| <= kZeroMoney as zero.
inline constexpr double kZeroMoney = 1e-9;
// Ranking and first-cost ordering treat values this close as equal.
inline constexpr double kEqualForOrder = 1e-6;
// A challenger wins only when it saves more than this.
inline constexpr double kWinnerThreshold = 0.005;

inline bool isNegativeMoney(double x) {
    return x < -kZeroMoney;
}
inline bool isPositiveMoney(double x) {
    return x > kZeroMoney;
}

}  // namespace tavlo
