#pragma once
// Reads the pixel size from a PNG file's header.

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace qvc::doc::detail {

// (width, height) in pixels, or nothing when the data is not a PNG.
std::optional<std::pair<int32_t, int32_t>> pngSize(const std::vector<uint8_t>& data);

}  // namespace qvc::doc::detail
