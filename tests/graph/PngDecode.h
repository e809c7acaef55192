#pragma once
// Reads PNG bytes back with cairo's loader, which rejects a file whose chunk
// CRCs or zlib stream are wrong, so tests can check the pixels the encoder wrote.

#include <cstdint>
#include <vector>

namespace qvc::test {

struct DecodedPng {
    bool ok = false;  // the loader accepted the file
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;  // row after row, 0x00RRGGBB
};

DecodedPng decodePng(const std::vector<uint8_t>& png);

}  // namespace qvc::test
