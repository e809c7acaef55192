#pragma once
// How DEFLATE codes a repeat: its length as one of the length symbols 257-285
// and its distance as one of 30 distance codes, each followed by extra bits.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace qvc::graph::detail {

inline constexpr size_t kMaxMatch = 258;  // the longest repeat
inline constexpr unsigned kEndOfBlock = 256;

// The symbol, extra bits and their value that code a repeat length.
struct LengthCode {
    uint16_t symbol = 0;
    uint8_t extraBits = 0;
    uint8_t extraValue = 0;
};

// Length symbols 257-285: the shortest length of each and its extra bits.
inline constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                             15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                             67, 83, 99, 115, 131, 163, 195, 227, 258};
inline constexpr uint8_t kLengthExtraBits[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};

constexpr std::array<LengthCode, kMaxMatch + 1> makeLengthCodes() {
    const auto& base = kLengthBase;
    const auto& extra = kLengthExtraBits;
    std::array<LengthCode, kMaxMatch + 1> codes{};
    for (unsigned code = 0; code < 29; ++code) {
        const unsigned last = code == 28 ? 258 : base[code] + (1u << extra[code]) - 1;
        for (unsigned length = base[code]; length <= last; ++length) {
            codes[length] = {static_cast<uint16_t>(kEndOfBlock + 1 + code), extra[code],
                             static_cast<uint8_t>(length - base[code])};
        }
    }
    return codes;
}

inline constexpr std::array<LengthCode, kMaxMatch + 1> kLengthCodes = makeLengthCodes();

// Distances 1-4 have codes 0-3; above, each power of two is split into two
// codes, told apart by the bit below the top one, with the bits below that as
// extra bits.
struct DistanceCode {
    unsigned code;
    unsigned extraBits;
    unsigned extraValue;
};

inline DistanceCode distanceCode(unsigned distance) {
    const unsigned x = distance - 1;
    if (x < 4) {
        return {x, 0, 0};
    }
    const unsigned top = static_cast<unsigned>(std::bit_width(x)) - 1;
    const unsigned extraBits = top - 1;
    return {2 * top + ((x >> extraBits) & 1u), extraBits, x & ((1u << extraBits) - 1)};
}

}  // namespace qvc::graph::detail
