#include "ScanlineDeflate.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "BitWriter.h"
#include "DeflateSymbols.h"
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
constexpr size_t kWindow = 32768;          // the farthest a repeat may reach back
// A block ends after this many symbols, so that its codes follow the picture:
// a chart's top rows (title, white margins) differ from its plot area.
constexpr size_t kBlockSymbols = 16384;
constexpr size_t kStoredMax = 65535;     // bytes in one stored block
constexpr unsigned kCodeBits = 15;       // longest literal/length and distance code
constexpr unsigned kCodeLengthBits = 7;  // longest code of the code-length code
constexpr size_t kLiteralCodes = 286;
constexpr size_t kDistanceCodes = 30;
constexpr size_t kCodeLengthCodes = 19;

// The order in which a block header lists the code-length code's lengths.
constexpr uint8_t kCodeLengthOrder[kCodeLengthCodes] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                        11, 4,  12, 3, 13, 2, 14, 1, 15};

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

ScanlineDeflate::ScanlineDeflate() : symbols_(kBlockSymbols), recent_(size_t{1} << kHashBits) {}

void ScanlineDeflate::compress(const uint8_t* data, size_t size, size_t rowBytes,
                               std::vector<uint8_t>& out) {
    // Deflate with a 32 KB window; "fastest" as the level hint.
    out.push_back(0x78);
    out.push_back(0x01);

    // The distances tried first, shortest (cheapest to code) first; equally
    // long repeats go to the first. The previous pixel (3 bytes back) was
    // tried too: on chart pictures it found nothing the two others miss.
    distances_ = {1, 0};
    distanceCount_ = 1;
    if (rowBytes > 1 && rowBytes <= kWindow) {
        distances_[distanceCount_++] = static_cast<unsigned>(rowBytes);
    }
    std::fill(recent_.begin(), recent_.end(), kNowhere);
    BitWriter writer(out);
    size_t pos = 0;
    bool last = false;
    while (!last) {
        const size_t blockStart = pos;
        pos = collectBlock(data, size, pos);
        last = pos == size;
        writeBlock(data + blockStart, pos - blockStart, last, writer);
    }
    writer.finish();

    const uint32_t adler = libdeflate_adler32(1, data, size);
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(adler >> shift));
    }
}

// The longest repeat at `pos` at one of the fixed distances; where there is
// none, the last position whose next four bytes had the same hash may repeat
// (text, sloping lines). Length 0 when nothing repeats far enough.
ScanlineDeflate::Symbol ScanlineDeflate::findRepeat(const uint8_t* data, size_t size, size_t pos) {
    const size_t limit = std::min(kMaxMatch, size - pos);
    size_t length = 0;
    size_t distance = 0;
    if (limit >= kMinMatch) {
        for (size_t k = 0; k < distanceCount_ && distances_[k] <= pos; ++k) {
            const size_t l = matchLength(data + pos, data + pos - distances_[k], limit);
            if (l > length) {
                length = l;
                distance = distances_[k];
            }
        }
    }
    if (length < kMinMatch && limit >= kMinHashedMatch) {
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
    if (length < kMinMatch) {
        return {0, 0};
    }
    return {static_cast<uint16_t>(length), static_cast<uint16_t>(distance)};
}

// Turns the bytes from `pos` on into at most one block of symbols, counting
// how often each code is used; returns the position after them.
size_t ScanlineDeflate::collectBlock(const uint8_t* data, size_t size, size_t pos) {
    std::fill(std::begin(literalFreqs_), std::end(literalFreqs_), 0u);
    std::fill(std::begin(distanceFreqs_), std::end(distanceFreqs_), 0u);
    size_t n = 0;
    while (pos < size && n < kBlockSymbols) {
        const Symbol repeat = findRepeat(data, size, pos);
        if (repeat.value != 0) {
            symbols_[n++] = repeat;
            ++literalFreqs_[kLengthCodes[repeat.value].symbol];
            ++distanceFreqs_[distanceCode(repeat.distance).code];
            pos += repeat.value;
        } else {
            symbols_[n++] = {data[pos], 0};
            ++literalFreqs_[data[pos]];
            ++pos;
        }
    }
    symbolCount_ = n;
    return pos;
}

// The code lengths of a dynamic block, and its header's run-length coded
// sequence of them with the small code that codes that sequence.
struct ScanlineDeflate::BlockCodes {
    uint8_t literalLengths[kLiteralCodes];
    uint8_t distanceLengths[kDistanceCodes];
    size_t literalCount;   // literal/length code lengths sent
    size_t distanceCount;  // distance code lengths sent
    CodeLengthRun runs[kLiteralCodes + kDistanceCodes];
    size_t runCount;
    uint32_t runFreqs[kCodeLengthCodes];
    uint8_t runLengths[kCodeLengthCodes];
    size_t orderCount;  // code-length code lengths sent, in kCodeLengthOrder
};

void ScanlineDeflate::makeCodes(BlockCodes& c) {
    literalFreqs_[kEndOfBlock] = 1;
    limitedHuffmanLengths(literalFreqs_, kLiteralCodes, kCodeBits, c.literalLengths);
    limitedHuffmanLengths(distanceFreqs_, kDistanceCodes, kCodeBits, c.distanceLengths);
    c.literalCount = usedCount(c.literalLengths, kLiteralCodes, kEndOfBlock + 1);
    c.distanceCount = usedCount(c.distanceLengths, kDistanceCodes, 1);
    // Both sequences as one, so that a run of lengths may cross from one to the other.
    uint8_t lengths[kLiteralCodes + kDistanceCodes];
    std::copy_n(c.literalLengths, c.literalCount, lengths);
    std::copy_n(c.distanceLengths, c.distanceCount, lengths + c.literalCount);
    c.runCount = runLengthCode(lengths, c.literalCount + c.distanceCount, c.runs);
    std::fill(std::begin(c.runFreqs), std::end(c.runFreqs), 0u);
    for (size_t i = 0; i < c.runCount; ++i) {
        ++c.runFreqs[c.runs[i].symbol];
    }
    limitedHuffmanLengths(c.runFreqs, kCodeLengthCodes, kCodeLengthBits, c.runLengths);
    c.orderCount = kCodeLengthCodes;
    while (c.orderCount > 4 && c.runLengths[kCodeLengthOrder[c.orderCount - 1]] == 0) {
        --c.orderCount;
    }
}

// The exact size in bits of the dynamic block, header included.
uint64_t ScanlineDeflate::dynamicBits(const BlockCodes& c) const {
    uint64_t bits = 3 + 5 + 5 + 4 + 3 * c.orderCount;
    for (size_t s = 0; s < kCodeLengthCodes; ++s) {
        bits += uint64_t{c.runFreqs[s]} * (c.runLengths[s] + codeLengthExtraBits(s));
    }
    for (size_t s = 0; s < kLiteralCodes; ++s) {
        const unsigned extra = s > kEndOfBlock ? kLengthExtraBits[s - kEndOfBlock - 1] : 0;
        bits += uint64_t{literalFreqs_[s]} * (c.literalLengths[s] + extra);
    }
    for (size_t s = 0; s < kDistanceCodes; ++s) {
        const unsigned extra = s < 4 ? 0 : static_cast<unsigned>(s / 2 - 1);
        bits += uint64_t{distanceFreqs_[s]} * (c.distanceLengths[s] + extra);
    }
    return bits;
}

// A dynamic block: the header gives both codes as code lengths, themselves
// coded with a third, small code. When that comes out larger than the bytes
// themselves (noise), the bytes are stored as they are.
void ScanlineDeflate::writeBlock(const uint8_t* bytes, size_t size, bool last, BitWriter& writer) {
    BlockCodes c;
    makeCodes(c);
    const uint64_t bits = dynamicBits(c);
    const size_t storedBlocks = std::max<size_t>(1, (size + kStoredMax - 1) / kStoredMax);
    const uint64_t storedBits = storedBlocks * (3 + 7 + 32) + 8 * uint64_t{size};
    if (storedBits <= bits) {
        writeStored(bytes, size, last, writer);
        return;
    }
    writer.reserve(bits / 8 + 8);
    const uint64_t blockStart = writer.bitsWritten();
    writeDynamic(c, last, writer);
    // The room reserved for the block came from the count: a block that
    // differs from it may have overrun, and the choice of storing was wrong.
    if (writer.bitsWritten() - blockStart != bits) {
        throw rt::Error(rt::err::kInternal, "The PNG compressor miscounted a block");
    }
}

void ScanlineDeflate::writeDynamic(const BlockCodes& c, bool last, BitWriter& writer) const {
    uint16_t literalCodes[kLiteralCodes];
    uint16_t distanceCodes[kDistanceCodes];
    uint16_t runCodes[kCodeLengthCodes];
    canonicalCodes(c.literalLengths, kLiteralCodes, literalCodes);
    canonicalCodes(c.distanceLengths, kDistanceCodes, distanceCodes);
    canonicalCodes(c.runLengths, kCodeLengthCodes, runCodes);

    writer.put(last ? 1 : 0, 1);
    writer.put(2, 2);  // dynamic Huffman codes
    writer.put(static_cast<uint32_t>(c.literalCount - 257), 5);
    writer.put(static_cast<uint32_t>(c.distanceCount - 1), 5);
    writer.put(static_cast<uint32_t>(c.orderCount - 4), 4);
    for (size_t i = 0; i < c.orderCount; ++i) {
        writer.put(c.runLengths[kCodeLengthOrder[i]], 3);
    }
    for (size_t i = 0; i < c.runCount; ++i) {
        const unsigned s = c.runs[i].symbol;
        writer.put(runCodes[s] | (uint32_t{c.runs[i].extraValue} << c.runLengths[s]),
                   c.runLengths[s] + codeLengthExtraBits(s));
    }
    const uint8_t* litLengths = c.literalLengths;
    const uint8_t* distLengths = c.distanceLengths;
    for (size_t i = 0; i < symbolCount_; ++i) {
        const Symbol s = symbols_[i];
        if (s.distance == 0) {
            writer.put(literalCodes[s.value], litLengths[s.value]);
            continue;
        }
        const LengthCode& lc = kLengthCodes[s.value];
        writer.put(literalCodes[lc.symbol] | (uint32_t{lc.extraValue} << litLengths[lc.symbol]),
                   litLengths[lc.symbol] + lc.extraBits);
        const DistanceCode dc = distanceCode(s.distance);
        writer.put(distanceCodes[dc.code] | (dc.extraValue << distLengths[dc.code]),
                   distLengths[dc.code] + dc.extraBits);
    }
    writer.put(literalCodes[kEndOfBlock], litLengths[kEndOfBlock]);
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
