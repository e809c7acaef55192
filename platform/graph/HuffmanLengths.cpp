#include "HuffmanLengths.h"

#include <algorithm>
#include <array>

namespace qvc::graph::detail {

namespace {

constexpr size_t kMaxSymbols = 288;
constexpr unsigned kMaxBits = 15;

// An entry of a package-merge list: a symbol's weight, or the summed weight of
// two entries of the list below (symbol < 0).
struct Item {
    uint64_t weight;
    int symbol;
};

using Lists = std::array<std::array<Item, 2 * kMaxSymbols>, kMaxBits>;

}  // namespace

// Package-merge: list 0 holds the used symbols by weight; list L merges those
// symbols with the pairs ("packages") of list L - 1. The first 2n - 2 entries
// of the last list, with the packages they hold followed down the lists, give
// each symbol a length equal to the number of times it was taken.
void limitedHuffmanLengths(const uint32_t* freqs, size_t count, unsigned maxBits,
                           uint8_t* lengths) {
    std::fill(lengths, lengths + count, uint8_t{0});
    std::array<Item, kMaxSymbols> leaves{};
    size_t used = 0;
    for (size_t s = 0; s < count; ++s) {
        if (freqs[s] != 0) {
            leaves[used++] = {freqs[s], static_cast<int>(s)};
        }
    }
    if (used < 2) {
        // One code of length 1 would be an incomplete code, which some decoders
        // refuse; two are complete. The second symbol is never emitted.
        const size_t first = used == 1 ? static_cast<size_t>(leaves[0].symbol) : 0;
        lengths[first] = 1;
        lengths[first == 0 ? 1 : 0] = 1;
        return;
    }
    std::stable_sort(leaves.begin(), leaves.begin() + static_cast<ptrdiff_t>(used),
                     [](const Item& a, const Item& b) { return a.weight < b.weight; });

    // Too large for a thread's stack; kept for the thread's next call.
    thread_local Lists lists;
    std::array<size_t, kMaxBits> sizes{};
    std::copy_n(leaves.begin(), used, lists[0].begin());
    sizes[0] = used;
    for (unsigned level = 1; level < maxBits; ++level) {
        const auto& below = lists[level - 1];
        const size_t packages = sizes[level - 1] / 2;
        size_t leaf = 0;
        size_t package = 0;
        size_t n = 0;
        while (leaf < used || package < packages) {
            const uint64_t packageWeight =
                package < packages ? below[2 * package].weight + below[2 * package + 1].weight
                                   : UINT64_MAX;
            if (leaf < used && leaves[leaf].weight <= packageWeight) {
                lists[level][n++] = leaves[leaf++];
            } else {
                lists[level][n++] = {packageWeight, -1};
                ++package;
            }
        }
        sizes[level] = n;
    }
    size_t take = 2 * used - 2;
    for (unsigned level = maxBits; level-- > 0;) {
        size_t packages = 0;
        for (size_t k = 0; k < take; ++k) {
            const Item& item = lists[level][k];
            if (item.symbol >= 0) {
                ++lengths[item.symbol];
            } else {
                ++packages;
            }
        }
        take = 2 * packages;
    }
}

void canonicalCodes(const uint8_t* lengths, size_t count, uint16_t* codes) {
    std::array<unsigned, kMaxBits + 1> perLength{};
    for (size_t s = 0; s < count; ++s) {
        ++perLength[lengths[s]];
    }
    perLength[0] = 0;
    std::array<unsigned, kMaxBits + 1> next{};
    unsigned code = 0;
    for (unsigned bits = 1; bits <= kMaxBits; ++bits) {
        code = (code + perLength[bits - 1]) << 1;
        next[bits] = code;
    }
    for (size_t s = 0; s < count; ++s) {
        const unsigned bits = lengths[s];
        if (bits == 0) {
            codes[s] = 0;
            continue;
        }
        const unsigned c = next[bits]++;
        unsigned reversed = 0;
        for (unsigned b = 0; b < bits; ++b) {
            reversed |= ((c >> b) & 1u) << (bits - 1 - b);
        }
        codes[s] = static_cast<uint16_t>(reversed);
    }
}

}  // namespace qvc::graph::detail
