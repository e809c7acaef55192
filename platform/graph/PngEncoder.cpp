#include "PngEncoder.h"

#include <libdeflate.h>

#include <cstddef>
#include <iterator>
#include <memory>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::graph::detail {

namespace {

// Level 1 is slower than 2 on chart pictures (measured by bench_chart_render).
constexpr int kCompressionLevel = 2;
constexpr uint8_t kFilterSub = 1;
constexpr uint8_t kColourTypeRgb = 2;

struct CompressorDeleter {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

void put32(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 24));
    out.push_back(static_cast<uint8_t>(v >> 16));
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

// A chunk is its length, its four-letter type, its data and the CRC-32 of type
// and data.
void chunk(std::vector<uint8_t>& out, const char (&type)[5], const uint8_t* data, size_t size) {
    put32(out, static_cast<uint32_t>(size));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    if (size > 0) {
        out.insert(out.end(), data, data + size);
    }
    put32(out, libdeflate_crc32(0, out.data() + typeAt, size + 4));
}

// The compressor and the two large buffers live as long as the thread and are
// reused: allocating them afresh for every chart costs more in page faults and
// clearing than the compression itself.
struct Workspace {
    std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor;
    std::vector<uint8_t> raw;
    std::vector<uint8_t> packed;
};

Workspace& workspace() {
    thread_local Workspace w;
    if (!w.compressor) {
        w.compressor.reset(libdeflate_alloc_compressor(kCompressionLevel));
        if (!w.compressor) {
            throw rt::Error(rt::err::kOutOfMemory, "Cannot encode the chart picture as PNG");
        }
    }
    return w;
}

// The rows as PNG scanlines: a filter byte, then R G B per pixel, each byte
// minus the same byte of the pixel on its left.
void subFilterRows(const unsigned char* pixels, int width, int height, int stride,
                   std::vector<uint8_t>& raw) {
    const size_t lineBytes = 1 + static_cast<size_t>(width) * 3;
    raw.resize(lineBytes * static_cast<size_t>(height));
    uint8_t* at = raw.data();
    for (int y = 0; y < height; ++y) {
        const auto* words =
            reinterpret_cast<const uint32_t*>(pixels + static_cast<ptrdiff_t>(y) * stride);
        *at++ = kFilterSub;
        uint32_t left = 0;
        for (int x = 0; x < width; ++x) {
            const uint32_t v = words[x];
            *at++ = static_cast<uint8_t>((v >> 16) - (left >> 16));
            *at++ = static_cast<uint8_t>((v >> 8) - (left >> 8));
            *at++ = static_cast<uint8_t>(v - left);
            left = v;
        }
    }
}

}  // namespace

std::vector<uint8_t> encodePng(const unsigned char* pixels, int width, int height, int stride) {
    if (pixels == nullptr || width <= 0 || height <= 0 || stride < width * 4) {
        throw rt::Error(rt::err::kInternal, "Cannot encode the chart picture as PNG");
    }
    Workspace& w = workspace();
    subFilterRows(pixels, width, height, stride, w.raw);
    w.packed.resize(libdeflate_zlib_compress_bound(w.compressor.get(), w.raw.size()));
    const size_t packed = libdeflate_zlib_compress(w.compressor.get(), w.raw.data(), w.raw.size(),
                                                   w.packed.data(), w.packed.size());
    if (packed == 0) {
        throw rt::Error(rt::err::kInternal, "Cannot encode the chart picture as PNG");
    }

    // The signature is the vector's first contents rather than an insert into an
    // empty reserved vector, which GCC 12 at -O3 wrongly reports as an overflow.
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> out(std::begin(kSignature), std::end(kSignature));
    out.reserve(packed + 64);
    std::vector<uint8_t> header;
    put32(header, static_cast<uint32_t>(width));
    put32(header, static_cast<uint32_t>(height));
    // bit depth 8, RGB, deflate, adaptive filtering, no interlace
    header.insert(header.end(), {8, kColourTypeRgb, 0, 0, 0});
    chunk(out, "IHDR", header.data(), header.size());
    chunk(out, "IDAT", w.packed.data(), packed);
    chunk(out, "IEND", nullptr, 0);
    return out;
}

}  // namespace qvc::graph::detail
