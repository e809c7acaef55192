#pragma once
// Huffman code lengths no longer than a limit, and the canonical codes for
// them, as a DEFLATE block header describes its codes.

#include <cstddef>
#include <cstdint>

namespace qvc::graph::detail {

// Sets lengths[s] for the `count` symbols with frequencies freqs[s]: 0 for an
// unused symbol, otherwise at most `maxBits`, the total coded size as small as
// the limit allows (package-merge). When fewer than two symbols are used, two
// symbols get length 1 (the used one, if any, and the lowest other), so that
// every code is complete and any decoder accepts it. count <= 288 and
// 2^maxBits >= count.
void limitedHuffmanLengths(const uint32_t* freqs, size_t count, unsigned maxBits, uint8_t* lengths);

// The canonical code of each symbol for `lengths` (shorter codes first, equal
// lengths in symbol order), bit-reversed, as a writer that fills bytes from the
// lowest bit on emits it.
void canonicalCodes(const uint8_t* lengths, size_t count, uint16_t* codes);

}  // namespace qvc::graph::detail
