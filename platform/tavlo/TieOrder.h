#pragma once
// Orders values ascending where values closer than a tolerance count as equal
// and equal values go by ascending number.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tavlo {

// Returns the positions 0..n-1 in order. Values are sorted exactly first; each
// run of neighbours no more than `tolerance` apart is then ordered by number, so
// the result is always a permutation.
std::vector<std::size_t> orderWithTies(std::span<const double> values,
                                       std::span<const int16_t> numbers, double tolerance);

}  // namespace tavlo
