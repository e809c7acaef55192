#include "TieOrder.h"

#include <algorithm>
#include <numeric>

namespace tavlo {

std::vector<std::size_t> orderWithTies(std::span<const double> values,
                                       std::span<const int16_t> numbers, double tolerance) {
    std::vector<std::size_t> order(values.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    auto byNumber = [&](std::size_t a, std::size_t b) { return numbers[a] < numbers[b]; };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return values[a] < values[b] || (values[a] == values[b] && numbers[a] < numbers[b]);
    });
    std::size_t runStart = 0;
    for (std::size_t i = 1; i <= order.size(); ++i) {
        const bool runEnds =
            i == order.size() || values[order[i]] - values[order[i - 1]] > tolerance;
        if (runEnds) {
            std::sort(order.begin() + static_cast<std::ptrdiff_t>(runStart),
                      order.begin() + static_cast<std::ptrdiff_t>(i), byNumber);
            runStart = i;
        }
    }
    return order;
}

}  // namespace tavlo
