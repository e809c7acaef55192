#pragma once
// PNG encoding of a cairo RGB24 image: 8-bit RGB, every row with the "Sub"
// filter (runs of one colour become zeros), one zlib stream made by
// ScanlineDeflate, a compressor for such scanlines that tries the byte before
// and the row above before anything else. On chart pictures it takes a fraction
// of the time libdeflate at level 2 (which this encoder used before) took, for
// files of the same size, which matters when a report holds dozens of charts.

#include <cstdint>
#include <vector>

namespace qvc::graph::detail {

// `pixels` points at `height` rows of `stride` bytes, each holding `width`
// native-endian 32-bit words 0x00RRGGBB (cairo's RGB24 layout). The pixels are
// used as the encoder's working memory: they are overwritten.
std::vector<uint8_t> encodePng(unsigned char* pixels, int width, int height, int stride);

}  // namespace qvc::graph::detail
