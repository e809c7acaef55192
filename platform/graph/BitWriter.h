#pragma once
// The bit writer of a DEFLATE stream: codes go out from the lowest bit of each
// byte on, as the format orders them.

#include <cstdint>
#include <cstring>
#include <vector>

namespace qvc::graph::detail {

// Bits go into a 64-bit buffer from its lowest bit on; whenever 32 or more are
// waiting, four bytes go out. The caller reserves room for each block first,
// so the hot path has no size checks.
class BitWriter {
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

    // An empty picture's bytes may be a null pointer, which memcpy must not get.
    void putBytes(const uint8_t* bytes, size_t size) {
        if (size == 0)
            return;
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

}  // namespace qvc::graph::detail
