#include "MacrsTable.h"

#include <array>

namespace tavlo {

namespace {

// IRS Publication 946, Table A-1. The published rounding alternates between
// neighbouring years, so the rows are stored as printed.
constexpr std::array<double, 4> k3 = {33.33, 44.45, 14.81, 7.41};
constexpr std::array<double, 6> k5 = {20.00, 32.00, 19.20, 11.52, 11.52, 5.76};
constexpr std::array<double, 8> k7 = {14.29, 24.49, 17.49, 12.49, 8.93, 8.92, 8.93, 4.46};
constexpr std::array<double, 11> k10 = {10.00, 18.00, 14.40, 11.52, 9.22, 7.37,
                                        6.55,  6.55,  6.56,  6.55,  3.28};
constexpr std::array<double, 16> k15 = {5.00, 9.50, 8.55, 7.70, 6.93, 6.23, 5.90, 5.90,
                                        5.91, 5.90, 5.91, 5.90, 5.91, 5.90, 5.91, 2.95};
constexpr std::array<double, 21> k20 = {3.750, 7.219, 6.677, 6.177, 5.713, 5.285, 4.888,
                                        4.522, 4.462, 4.461, 4.462, 4.461, 4.462, 4.461,
                                        4.462, 4.461, 4.462, 4.461, 4.462, 4.461, 2.231};

}  // namespace

std::span<const double> macrsPercentages(int recoveryYears) {
    switch (recoveryYears) {
        case 3:
            return k3;
        case 5:
            return k5;
        case 7:
            return k7;
        case 10:
            return k10;
        case 15:
            return k15;
        case 20:
            return k20;
        default:
            return {};
    }
}

}  // namespace tavlo
