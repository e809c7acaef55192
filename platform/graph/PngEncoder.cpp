#include "PngEncoder.h"

#include <libdeflate.h>

#include <bit>
#include <cstddef>
#include <cstring>
#include <iterator>

#if defined(__SSE2__)
#include <emmintrin.h>
#include <tmmintrin.h>
#endif

#include "ScanlineDeflate.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::graph::detail {

namespace {

constexpr uint8_t kFilterSub = 1;
constexpr uint8_t kColourTypeRgb = 2;

void put32(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 24));
    out.push_back(static_cast<uint8_t>(v >> 16));
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

// Writes a chunk's length and CRC-32 (of type and data) around the type and
// data that `out` holds from `typeAt` on.
void closeChunk(std::vector<uint8_t>& out, size_t typeAt) {
    const size_t size = out.size() - typeAt - 4;
    const auto length = static_cast<uint32_t>(size);
    for (int i = 0; i < 4; ++i) {
        out[typeAt - 4 + static_cast<size_t>(i)] = static_cast<uint8_t>(length >> (24 - 8 * i));
    }
    put32(out, libdeflate_crc32(0, out.data() + typeAt, size + 4));
}

// Starts a chunk: room for its length, then its four-letter type. Returns
// where the type is, for closeChunk.
size_t openChunk(std::vector<uint8_t>& out, const char (&type)[5]) {
    put32(out, 0);
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    return typeAt;
}

static_assert(std::endian::native == std::endian::little,
              "the scanline stores assume a little-endian machine");

// A pixel's byte differences reordered so that its little-endian bytes are
// R G B (cairo keeps 0x..RRGGBB) followed by a byte of no meaning.
inline uint32_t reorderedRgb(uint32_t difference) {
    return __builtin_bswap32(difference) >> 8;
}

// Each byte of `v` minus the same byte of `left`, without borrows between
// bytes, reordered as reorderedRgb does.
inline uint32_t subFilteredRgb(uint32_t v, uint32_t left) {
    constexpr uint32_t kHigh = 0x80808080u;
    return reorderedRgb(((v | kHigh) - (left & ~kHigh)) ^ ((v ^ ~left) & kHigh));
}

// Stores a filtered pixel as four bytes; the fourth is overwritten by the next.
inline uint8_t* storeFourBytes(uint8_t* at, uint32_t rgb) {
    std::memcpy(at, &rgb, 4);
    return at + 3;
}

#if defined(__SSE2__)
// The byte differences of pixels x .. x + 3 from their left neighbours, in one
// subtraction; `before` holds the four pixels read last (its top word is the
// left neighbour of pixel x) and becomes these four. `first` is the row's first
// pixel as read before the filter byte was written over it.
__attribute__((always_inline)) inline __m128i blockDifferences(const uint32_t* words, int x,
                                                               uint32_t first, __m128i& before) {
    __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(words + x));
    if (x == 0) {
        const __m128i firstLane = _mm_cvtsi32_si128(-1);
        pixels = _mm_or_si128(_mm_andnot_si128(firstLane, pixels),
                              _mm_cvtsi32_si128(static_cast<int>(first)));
    }
    const __m128i lefts = _mm_or_si128(_mm_slli_si128(pixels, 4), _mm_srli_si128(before, 12));
    before = pixels;
    return _mm_sub_epi8(pixels, lefts);
}

// Filters pixels [0, count) of a row, count a multiple of 4, four at a time:
// one subtraction and one byte shuffle per block. The twelve bytes are stored
// as eight and four, so nothing past them is written.
__attribute__((target("ssse3"))) uint8_t* subFilterBlocksSsse3(const uint32_t* words,
                                                               uint32_t first, int count,
                                                               uint8_t* at) {
    // R G B of each pixel, from cairo's B G R x bytes.
    const __m128i toRgb = _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1);
    __m128i before = _mm_setzero_si128();
    for (int x = 0; x < count; x += 4) {
        const __m128i rgb = _mm_shuffle_epi8(blockDifferences(words, x, first, before), toRgb);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(at), rgb);
        const uint32_t last = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(rgb, 8)));
        std::memcpy(at + 8, &last, 4);
        at += 12;
    }
    return at;
}

// The pixels of a row filtered in blocks of four: on processors with SSSE3,
// all but the row's last pixel and the ones after the last whole block.
int blockPixels(int width) {
    static const bool shuffles = __builtin_cpu_supports("ssse3");
    return shuffles ? (width - 1) / 4 * 4 : 0;
}

uint8_t* subFilterBlocks(const uint32_t* words, uint32_t first, int count, uint8_t* at) {
    return count > 0 ? subFilterBlocksSsse3(words, first, count, at) : at;
}
#else
int blockPixels(int) {
    return 0;  // every pixel one at a time
}

uint8_t* subFilterBlocks(const uint32_t*, uint32_t, int, uint8_t* at) {
    return at;
}
#endif

// Turns the rows into PNG scanlines, in place: a filter byte, then R G B per
// pixel, each byte minus the same byte of the pixel on its left. A scanline
// (1 + 3 * width bytes) is shorter than a row of pixels (stride >= 4 * width
// bytes), so what is written never overtakes what is still to be read: every
// pixel but a row's last is stored as four bytes (the fourth is overwritten by
// the next pixel) after the pixel to its right has been read; the store for
// pixel x ends at row * (1 + 3 * width) + 3 * x + 5, never past the start of
// pixel x + 2 at row * stride + 4 * x + 8 (a block of four, read whole before
// its twelve bytes are stored, ends at row * (1 + 3 * width) + 3 * x + 13,
// before pixel x + 4 at row * stride + 4 * x + 16). A row's last pixel is stored as
// three bytes, so nothing is written past the scanlines. The filter byte is
// written after the row's first pixel is read, as it may lie on that pixel.
// Returns the bytes written.
size_t subFilterRowsInPlace(unsigned char* pixels, int width, int height, int stride) {
    uint8_t* at = pixels;
    for (int y = 0; y < height; ++y) {
        const auto* words =
            reinterpret_cast<const uint32_t*>(pixels + static_cast<ptrdiff_t>(y) * stride);
        const uint32_t first = words[0];
        *at++ = kFilterSub;
        // Whole blocks, always leaving the row's last pixel to the loop below.
        const int blocks = blockPixels(width);
        at = subFilterBlocks(words, first, blocks, at);
        uint32_t left = blocks > 0 ? words[blocks - 1] : 0;
        uint32_t v = blocks > 0 ? words[blocks] : first;
        for (int x = blocks + 1; x < width; ++x) {
            const uint32_t next = words[x];
            at = storeFourBytes(at, subFilteredRgb(v, left));
            left = v;
            v = next;
        }
        const uint32_t rgb = subFilteredRgb(v, left);
        at[0] = static_cast<uint8_t>(rgb);
        at[1] = static_cast<uint8_t>(rgb >> 8);
        at[2] = static_cast<uint8_t>(rgb >> 16);
        at += 3;
    }
    return static_cast<size_t>(at - pixels);
}

}  // namespace

std::vector<uint8_t> encodePng(unsigned char* pixels, int width, int height, int stride) {
    if (pixels == nullptr || width <= 0 || height <= 0 || stride < width * 4) {
        throw rt::Error(rt::err::kInternal, "Cannot encode the chart picture as PNG");
    }
    // Filtering in place spares a second picture-sized buffer and its page faults.
    const size_t rawSize = subFilterRowsInPlace(pixels, width, height, stride);

    // The signature is the vector's first contents rather than an insert into an
    // empty reserved vector, which GCC 12 at -O3 wrongly reports as an overflow.
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> out(std::begin(kSignature), std::end(kSignature));
    // Charts shrink to a few percent; the vector grows when a picture does not.
    out.reserve(rawSize / 16 + 256);
    size_t at = openChunk(out, "IHDR");
    put32(out, static_cast<uint32_t>(width));
    put32(out, static_cast<uint32_t>(height));
    // bit depth 8, RGB, deflate, adaptive filtering, no interlace
    out.insert(out.end(), {8, kColourTypeRgb, 0, 0, 0});
    closeChunk(out, at);
    // The compressor keeps its block buffer for the thread's next picture.
    thread_local ScanlineDeflate deflate;
    at = openChunk(out, "IDAT");
    deflate.compress(pixels, rawSize, 1 + 3 * static_cast<size_t>(width), out);
    closeChunk(out, at);
    at = openChunk(out, "IEND");
    closeChunk(out, at);
    return out;
}

}  // namespace qvc::graph::detail
