#include "ScanlineDeflate.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "HuffmanLengths.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::graph::detail {

namespace {

constexpr size_t kMinMatch = 3;
// Repeats found through the hash table must be longer: their distances cost
// more bits, and shorter ones did not pay on chart pictures.
constexpr size_t kMinHashedMatch = 4;
constexpr unsigned kHashBits = 16;
constexpr uint32_t kNowhere = UINT32_MAX;  // an empty hash table slot
constexpr size_t kMaxMatch = 258;
constexpr size_t kWindow = 32768;  // the farthest a repeat may reach back
// A block ends after this many symbols, so that its codes follow the picture:
// a chart's top rows (title, white margins) differ from its plot area.
constexpr size_t kBlockSymbols = 16384;
constexpr size_t kStoredMax = 65535;  // bytes in one stored block
constexpr unsigned kEndOfBlock = 256;
constexpr unsigned kCodeBits = 15;       // longest literal/length and distance code
constexpr unsigned kCodeLengthBits = 7;  // longest code of the code-length code
constexpr size_t kLiteralCodes = 286;
constexpr size_t kDistanceCodes = 30;
constexpr size_t kCodeLengthCodes = 19;

// The order in which a block header lists the code-length code's lengths.
constexpr uint8_t kCodeLengthOrder[kCodeLengthCodes] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                        11, 4,  12, 3, 13, 2, 14, 1, 15};

// The symbol, extra bits and their value that code a repeat length.
struct LengthCode {
    uint16_t symbol = 0;
    uint8_t extraBits = 0;
    uint8_t extraValue = 0;
};

// Length symbols 257-285: the shortest length of each and its extra bits.
constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                      15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                      67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtraBits[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
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

constexpr std::array<LengthCode, kMaxMatch + 1> kLengthCodes = makeLengthCodes();

// Distances 1-4 have codes 0-3; above, each power of two is split into two
// codes, told apart by the bit below the top one, with the bits below that as
// extra bits.
struct DistanceCode {
    unsigned code;
    unsigned extraBits;
    unsigned extraValue;
};

DistanceCode distanceCode(unsigned distance) {
    const unsigned x = distance - 1;
    if (x < 4) {
        return {x, 0, 0};
    }
    const unsigned top = static_cast<unsigned>(std::bit_width(x)) - 1;
    const unsigned extraBits = top - 1;
    return {2 * top + ((x >> extraBits) & 1u), extraBits, x & ((1u << extraBits) - 1)};
}

inline uint64_t load64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// How many of the first `limit` bytes at `a` and `b` are equal, eight at a time.
inline size_t matchLength(const uint8_t* a, const uint8_t* b, size_t limit) {
    size_t length = 0;
    while (length + 8 <= limit) {
        const uint64_t differ = load64(a + length) ^ load64(b + length);
        if (differ != 0) {
            return length + static_cast<size_t>(std::countr_zero(differ)) / 8;
        }
        length += 8;
    }
    while (length < limit && a[length] == b[length]) {
        ++length;
    }
    return length;
}

// The header of a dynamic block sends the code lengths of both alphabets as
// one sequence, run-length coded: 16 repeats the previous length 3-6 times, 17
// and 18 give 3-10 and 11-138 zeros.
struct CodeLengthRun {
    uint8_t symbol;
    uint8_t extraValue;
};

constexpr unsigned codeLengthExtraBits(unsigned symbol) {
    return symbol == 16 ? 2 : symbol == 17 ? 3 : symbol == 18 ? 7 : 0;
}

size_t runLengthCode(const uint8_t* lengths, size_t count, CodeLengthRun* runs) {
    size_t n = 0;
    size_t i = 0;
    while (i < count) {
        const uint8_t value = lengths[i];
        size_t run = 1;
        while (i + run < count && lengths[i + run] == value) {
            ++run;
        }
        i += run;
        if (value == 0) {
            while (run >= 11) {
                const size_t k = std::min<size_t>(run, 138);
                runs[n++] = {18, static_cast<uint8_t>(k - 11)};
                run -= k;
            }
            if (run >= 3) {
                runs[n++] = {17, static_cast<uint8_t>(run - 3)};
                run = 0;
            }
        } else {
            runs[n++] = {value, 0};
            --run;
            while (run >= 3) {
                const size_t k = std::min<size_t>(run, 6);
                runs[n++] = {16, static_cast<uint8_t>(k - 3)};
                run -= k;
            }
        }
        for (; run > 0; --run) {
            runs[n++] = {value, 0};
        }
    }
    return n;
}

// The number of leading entries to send: all up to the last non-zero one, at
// least `minimum`.
size_t usedCount(const uint8_t* lengths, size_t count, size_t minimum) {
    while (count > minimum && lengths[count - 1] == 0) {
        --count;
    }
    return count;
}

}  // namespace

// Bits go into a 64-bit buffer from its lowest bit on; whenever 32 or more are
// waiting, four bytes go out. The caller reserves room for each block first,
// so the hot path has no size checks.
class ScanlineDeflate::BitWriter {
  public:
    explicit BitWriter(std::vector<uint8_t>& out)
        : out_(out), start_(out.size()), pos_(out.size()) {}

    void reserve(size_t bytes) {
        if (pos_ + bytes + 8 > out_.size()) {
            out_.resize(pos_ + bytes + 8);
        }
    }

    // count <= 32
    void put(uint32_t bits, unsigned count) {
        buffer_ |= static_cast<uint64_t>(bits) << filled_;
        filled_ += count;
        if (filled_ >= 32) {
            const auto low = static_cast<uint32_t>(buffer_);
            std::memcpy(out_.data() + pos_, &low, 4);
            pos_ += 4;
            buffer_ >>= 32;
            filled_ -= 32;
        }
    }

    // Pads with zero bits to a whole byte and writes out what is buffered.
    void alignToByte() {
        filled_ = (filled_ + 7) & ~7u;
        for (; filled_ > 0; filled_ -= 8) {
            out_[pos_++] = static_cast<uint8_t>(buffer_);
            buffer_ >>= 8;
        }
    }

    void putBytes(const uint8_t* bytes, size_t size) {
        std::memcpy(out_.data() + pos_, bytes, size);
        pos_ += size;
    }

    // Bits written since the writer was made, the buffered ones included.
    uint64_t bitsWritten() const { return uint64_t{pos_ - start_} * 8 + filled_; }

    void finish() {
        alignToByte();
        out_.resize(pos_);
    }

  private:
    std::vector<uint8_t>& out_;
    size_t start_;
    size_t pos_;
    uint64_t buffer_ = 0;
    unsigned filled_ = 0;
};

ScanlineDeflate::ScanlineDeflate() : symbols_(kBlockSymbols), recent_(size_t{1} << kHashBits) {}

void ScanlineDeflate::compress(const uint8_t* data, size_t size, size_t rowBytes,
                               std::vector<uint8_t>& out) {
    // Deflate with a 32 KB window; "fastest" as the level hint.
    out.push_back(0x78);
    out.push_back(0x01);

    // The distances tried first, shortest (cheapest to code) first; equally
    // long repeats go to the first. The previous pixel (3 bytes back) was
    // tried too: on chart pictures it found nothing the two others miss.
    std::array<unsigned, 2> distances{1, 0};
    size_t distanceCount = 1;
    if (rowBytes > 1 && rowBytes <= kWindow) {
        distances[distanceCount++] = static_cast<unsigned>(rowBytes);
    }
    std::fill(recent_.begin(), recent_.end(), kNowhere);
    BitWriter writer(out);
    size_t pos = 0;
    bool last = false;
    while (!last) {
        const size_t blockStart = pos;
        std::fill(std::begin(literalFreqs_), std::end(literalFreqs_), 0u);
        std::fill(std::begin(distanceFreqs_), std::end(distanceFreqs_), 0u);
        size_t n = 0;
        while (pos < size && n < kBlockSymbols) {
            const size_t limit = std::min(kMaxMatch, size - pos);
            size_t length = 0;
            size_t distance = 0;
            if (limit >= kMinMatch) {
                for (size_t k = 0; k < distanceCount && distances[k] <= pos; ++k) {
                    const size_t l = matchLength(data + pos, data + pos - distances[k], limit);
                    if (l > length) {
                        length = l;
                        distance = distances[k];
                    }
                }
            }
            if (length < kMinMatch && limit >= kMinHashedMatch) {
                // Where neither distance repeats (text, sloping lines), the
                // last position whose next four bytes had the same hash may.
                uint32_t next4;
                std::memcpy(&next4, data + pos, 4);
                uint32_t& slot = recent_[(next4 * 2654435761u) >> (32 - kHashBits)];
                if (slot != kNowhere && pos - slot <= kWindow) {
                    const size_t l = matchLength(data + pos, data + slot, limit);
                    if (l >= kMinHashedMatch) {
                        length = l;
                        distance = pos - slot;
                    }
                }
                slot = static_cast<uint32_t>(pos);
            }
            if (length >= kMinMatch) {
                symbols_[n++] = {static_cast<uint16_t>(length), static_cast<uint16_t>(distance)};
                ++literalFreqs_[kLengthCodes[length].symbol];
                ++distanceFreqs_[distanceCode(static_cast<unsigned>(distance)).code];
                pos += length;
            } else {
                symbols_[n++] = {data[pos], 0};
                ++literalFreqs_[data[pos]];
                ++pos;
            }
        }
        symbolCount_ = n;
        last = pos == size;
        writeBlock(data + blockStart, pos - blockStart, last, writer);
    }
    writer.finish();

    const uint32_t adler = libdeflate_adler32(1, data, size);
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(adler >> shift));
    }
}

// A dynamic block: the header gives both codes as code lengths, themselves
// coded with a third, small code. When that comes out larger than the bytes
// themselves (noise), the bytes are stored as they are.
void ScanlineDeflate::writeBlock(const uint8_t* bytes, size_t size, bool last, BitWriter& writer) {
    literalFreqs_[kEndOfBlock] = 1;
    uint8_t literalLengths[kLiteralCodes];
    uint8_t distanceLengths[kDistanceCodes];
    limitedHuffmanLengths(literalFreqs_, kLiteralCodes, kCodeBits, literalLengths);
    limitedHuffmanLengths(distanceFreqs_, kDistanceCodes, kCodeBits, distanceLengths);
    const size_t literalCount = usedCount(literalLengths, kLiteralCodes, kEndOfBlock + 1);
    const size_t distanceCount = usedCount(distanceLengths, kDistanceCodes, 1);
    // Both sequences as one, so that a run of lengths may cross from one to the other.
    uint8_t lengths[kLiteralCodes + kDistanceCodes];
    std::copy_n(literalLengths, literalCount, lengths);
    std::copy_n(distanceLengths, distanceCount, lengths + literalCount);

    CodeLengthRun runs[kLiteralCodes + kDistanceCodes];
    const size_t runCount = runLengthCode(lengths, literalCount + distanceCount, runs);
    uint32_t runFreqs[kCodeLengthCodes] = {};
    for (size_t i = 0; i < runCount; ++i) {
        ++runFreqs[runs[i].symbol];
    }
    uint8_t runLengths[kCodeLengthCodes];
    limitedHuffmanLengths(runFreqs, kCodeLengthCodes, kCodeLengthBits, runLengths);
    size_t orderCount = kCodeLengthCodes;
    while (orderCount > 4 && runLengths[kCodeLengthOrder[orderCount - 1]] == 0) {
        --orderCount;
    }

    // The exact size of the dynamic block, to compare with storing.
    uint64_t bits = 3 + 5 + 5 + 4 + 3 * orderCount;
    for (size_t s = 0; s < kCodeLengthCodes; ++s) {
        bits += uint64_t{runFreqs[s]} * (runLengths[s] + codeLengthExtraBits(s));
    }
    for (size_t s = 0; s < kLiteralCodes; ++s) {
        const unsigned extra = s > kEndOfBlock ? kLengthExtraBits[s - kEndOfBlock - 1] : 0;
        bits += uint64_t{literalFreqs_[s]} * (literalLengths[s] + extra);
    }
    for (size_t s = 0; s < kDistanceCodes; ++s) {
        const unsigned extra = s < 4 ? 0 : static_cast<unsigned>(s / 2 - 1);
        bits += uint64_t{distanceFreqs_[s]} * (distanceLengths[s] + extra);
    }
    const size_t storedBlocks = std::max<size_t>(1, (size + kStoredMax - 1) / kStoredMax);
    const uint64_t storedBits = storedBlocks * (3 + 7 + 32) + 8 * uint64_t{size};
    if (storedBits <= bits) {
        writeStored(bytes, size, last, writer);
        return;
    }

    uint16_t literalCodes[kLiteralCodes];
    uint16_t distanceCodes[kDistanceCodes];
    uint16_t runCodes[kCodeLengthCodes];
    canonicalCodes(literalLengths, kLiteralCodes, literalCodes);
    canonicalCodes(distanceLengths, kDistanceCodes, distanceCodes);
    canonicalCodes(runLengths, kCodeLengthCodes, runCodes);

    writer.reserve(bits / 8 + 8);
    const uint64_t blockStart = writer.bitsWritten();
    writer.put(last ? 1 : 0, 1);
    writer.put(2, 2);  // dynamic Huffman codes
    writer.put(static_cast<uint32_t>(literalCount - 257), 5);
    writer.put(static_cast<uint32_t>(distanceCount - 1), 5);
    writer.put(static_cast<uint32_t>(orderCount - 4), 4);
    for (size_t i = 0; i < orderCount; ++i) {
        writer.put(runLengths[kCodeLengthOrder[i]], 3);
    }
    for (size_t i = 0; i < runCount; ++i) {
        const unsigned s = runs[i].symbol;
        writer.put(runCodes[s] | (uint32_t{runs[i].extraValue} << runLengths[s]),
                   runLengths[s] + codeLengthExtraBits(s));
    }
    for (size_t i = 0; i < symbolCount_; ++i) {
        const Symbol s = symbols_[i];
        if (s.distance == 0) {
            writer.put(literalCodes[s.value], literalLengths[s.value]);
            continue;
        }
        const LengthCode& lc = kLengthCodes[s.value];
        writer.put(literalCodes[lc.symbol] | (uint32_t{lc.extraValue} << literalLengths[lc.symbol]),
                   literalLengths[lc.symbol] + lc.extraBits);
        const DistanceCode dc = distanceCode(s.distance);
        writer.put(distanceCodes[dc.code] | (dc.extraValue << distanceLengths[dc.code]),
                   distanceLengths[dc.code] + dc.extraBits);
    }
    writer.put(literalCodes[kEndOfBlock], literalLengths[kEndOfBlock]);
    // The room reserved for the block came from the count: a block that
    // differs from it may have overrun, and the choice of storing was wrong.
    if (writer.bitsWritten() - blockStart != bits) {
        throw rt::Error(rt::err::kInternal, "The PNG compressor miscounted a block");
    }
}

// Stored blocks: after the three header bits, padding to a byte, the length
// and its complement, then the bytes themselves.
void ScanlineDeflate::writeStored(const uint8_t* bytes, size_t size, bool last, BitWriter& writer) {
    do {
        const size_t chunk = std::min(size, kStoredMax);
        size -= chunk;
        writer.reserve(chunk + 16);
        writer.put(last && size == 0 ? 1 : 0, 1);
        writer.put(0, 2);
        writer.alignToByte();
        const auto length = static_cast<uint16_t>(chunk);
        const auto inverted = static_cast<uint16_t>(~length);
        const uint8_t header[4] = {static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                                   static_cast<uint8_t>(inverted),
                                   static_cast<uint8_t>(inverted >> 8)};
        writer.putBytes(header, 4);
        writer.putBytes(bytes, chunk);
        bytes += chunk;
    } while (size > 0);
}

}  // namespace qvc::graph::detail
