#pragma once
// A zlib stream (DEFLATE data between a two-byte header and an Adler-32
// trailer) for PNG scanlines, made for chart pictures: large flat areas,
// gridlines, bars and anti-aliased text, filtered so that a run of one colour
// is a run of equal bytes and many rows equal the row above.
//
// A general compressor hashes every position to find earlier repeats; that is
// most of its time on such pictures, whose runs and repeated rows it inserts
// byte by byte. This one first tries two fixed distances: 1 byte (a run of one
// byte, e.g. zeros) and one scanline (the row above), taking the longer
// repeat. Only where neither repeats (about 2 % of a chart's bytes: text,
// anti-aliased edges) does it look up a hash table of such positions, which
// finds repeated glyphs and sloping lines. The result is coded with Huffman
// codes made for each block of symbols.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qvc::graph::detail {

class BitWriter;

class ScanlineDeflate {
  public:
    ScanlineDeflate();

    // Appends to `out` the zlib stream of the `size` bytes at `data`, made of
    // scanlines of `rowBytes` bytes each (the last may be shorter). The object
    // keeps its buffers for the next call.
    void compress(const uint8_t* data, size_t size, size_t rowBytes, std::vector<uint8_t>& out);

  private:
    // A literal byte (distance 0) or a repeat of `value` bytes (3 to 258)
    // from `distance` bytes back.
    struct Symbol {
        uint16_t value;
        uint16_t distance;
    };
    struct BlockCodes;

    Symbol findRepeat(const uint8_t* data, size_t size, size_t pos);
    size_t collectBlock(const uint8_t* data, size_t size, size_t pos);
    void makeCodes(BlockCodes& codes);
    uint64_t dynamicBits(const BlockCodes& codes) const;
    void writeBlock(const uint8_t* bytes, size_t size, bool last, BitWriter& writer);
    void writeDynamic(const BlockCodes& codes, bool last, BitWriter& writer) const;
    void writeStored(const uint8_t* bytes, size_t size, bool last, BitWriter& writer);

    std::array<unsigned, 2> distances_{};  // the fixed distances tried first
    size_t distanceCount_ = 0;
    std::vector<Symbol> symbols_;  // the current block's
    size_t symbolCount_ = 0;
    // By hash of the next four bytes, the last position where no fixed distance repeated.
    std::vector<uint32_t> recent_;
    uint32_t literalFreqs_[286] = {};
    uint32_t distanceFreqs_[30] = {};
};

}  // namespace qvc::graph::detail
