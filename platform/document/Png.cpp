#include "Png.h"

#include <cstring>

namespace qvc::doc::detail {

std::optional<std::pair<int32_t, int32_t>> pngSize(const std::vector<uint8_t>& data) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    // signature, IHDR length (4), "IHDR", width (4), height (4)
    if (data.size() < 24 || std::memcmp(data.data(), kSignature, 8) != 0 ||
        std::memcmp(data.data() + 12, "IHDR", 4) != 0) {
        return std::nullopt;
    }
    auto be32 = [&](size_t at) {
        return (uint32_t{data[at]} << 24) | (uint32_t{data[at + 1]} << 16) |
               (uint32_t{data[at + 2]} << 8) | uint32_t{data[at + 3]};
    };
    uint32_t w = be32(16);
    uint32_t h = be32(20);
    if (w == 0 || h == 0 || w > 100000 || h > 100000) {
        return std::nullopt;
    }
    return std::make_pair(static_cast<int32_t>(w), static_cast<int32_t>(h));
}

}  // namespace qvc::doc::detail
