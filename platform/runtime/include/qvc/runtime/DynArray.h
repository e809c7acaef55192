#pragma once
// Basic-style dynamic arrays: an array either has bounds (lower..upper, which
// may be any integers) or has none at all ("not dimensioned"), which callers
// must be able to tell from an array with elements. Access outside the bounds,
// or to an array without bounds, raises 9 (subscript out of range).

#include <algorithm>
#include <vector>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"
#include "qvc/runtime/Export.h"

namespace qvc::rt {

[[noreturn]] inline void throwSubscript() {
    throw Error(err::kSubscriptOutOfRange, "Subscript out of range");
}

template <typename T>
class QVC_RUNTIME_EXPORT DynArray {
  public:
    bool isDimensioned() const { return dimensioned_; }
    long lbound() const {
        if (!dimensioned_)
            throwSubscript();
        return lower_;
    }
    long ubound() const {
        if (!dimensioned_)
            throwSubscript();
        return upper_;
    }

    // ReDim: new bounds, every element fresh.
    void redim(long lower, long upper) {
        if (upper < lower - 1)
            throwSubscript();
        data_.assign(static_cast<size_t>(upper - lower + 1), T{});
        lower_ = lower;
        upper_ = upper;
        dimensioned_ = true;
    }
    // ReDim Preserve: only the upper bound may change; elements kept.
    void redimPreserve(long lower, long upper) {
        if (dimensioned_ && lower != lower_)
            throwSubscript();
        if (upper < lower - 1)
            throwSubscript();
        data_.resize(static_cast<size_t>(upper - lower + 1));
        lower_ = lower;
        upper_ = upper;
        dimensioned_ = true;
    }
    // Erase: the array has no bounds any more.
    void erase() {
        data_.clear();
        dimensioned_ = false;
        lower_ = 0;
        upper_ = -1;
    }

    T& operator()(long i) { return data_[index(i)]; }
    const T& operator()(long i) const { return data_[index(i)]; }
    size_t size() const { return data_.size(); }

  private:
    size_t index(long i) const {
        if (!dimensioned_ || i < lower_ || i > upper_)
            throwSubscript();
        return static_cast<size_t>(i - lower_);
    }
    std::vector<T> data_;
    long lower_ = 0;
    long upper_ = -1;
    bool dimensioned_ = false;
};

// Two dimensions (field, item). ReDim Preserve may change only the last upper
// bound, as in Basic.
template <typename T>
class QVC_RUNTIME_EXPORT DynArray2 {
  public:
    bool isDimensioned() const { return dimensioned_; }
    long lbound(int dim) const { return bound(dim, true); }
    long ubound(int dim) const { return bound(dim, false); }

    void redim(long lo1, long hi1, long lo2, long hi2) {
        if (hi1 < lo1 - 1 || hi2 < lo2 - 1)
            throwSubscript();
        lo1_ = lo1;
        hi1_ = hi1;
        lo2_ = lo2;
        hi2_ = hi2;
        data_.assign(static_cast<size_t>((hi1 - lo1 + 1) * (hi2 - lo2 + 1)), T{});
        dimensioned_ = true;
    }
    void redimPreserve(long lo1, long hi1, long lo2, long hi2) {
        if (!dimensioned_) {
            redim(lo1, hi1, lo2, hi2);
            return;
        }
        if (lo1 != lo1_ || hi1 != hi1_ || lo2 != lo2_ || hi2 < lo2 - 1)
            throwSubscript();
        std::vector<T> old = std::move(data_);
        long oldHi2 = hi2_;
        hi2_ = hi2;
        data_.assign(static_cast<size_t>((hi1_ - lo1_ + 1) * (hi2_ - lo2_ + 1)), T{});
        for (long a = lo1_; a <= hi1_; ++a)
            for (long b = lo2_; b <= std::min(oldHi2, hi2_); ++b)
                data_[offset(a, b)] = std::move(
                    old[static_cast<size_t>((a - lo1_) * (oldHi2 - lo2_ + 1) + (b - lo2_))]);
    }
    void erase() {
        data_.clear();
        dimensioned_ = false;
        lo1_ = lo2_ = 0;
        hi1_ = hi2_ = -1;
    }

    T& operator()(long a, long b) { return data_[checked(a, b)]; }
    const T& operator()(long a, long b) const { return data_[checked(a, b)]; }

  private:
    long bound(int dim, bool lower) const {
        if (!dimensioned_ || (dim != 1 && dim != 2))
            throwSubscript();
        if (dim == 1)
            return lower ? lo1_ : hi1_;
        return lower ? lo2_ : hi2_;
    }
    size_t offset(long a, long b) const {
        return static_cast<size_t>((a - lo1_) * (hi2_ - lo2_ + 1) + (b - lo2_));
    }
    size_t checked(long a, long b) const {
        if (!dimensioned_ || a < lo1_ || a > hi1_ || b < lo2_ || b > hi2_)
            throwSubscript();
        return offset(a, b);
    }
    std::vector<T> data_;
    long lo1_ = 0, hi1_ = -1, lo2_ = 0, hi2_ = -1;
    bool dimensioned_ = false;
};

}  // namespace qvc::rt
