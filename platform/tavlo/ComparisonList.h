#pragma once
// The engine's collection of comparisons. Members live on the heap; resizing
// keeps the members that remain, so their references stay valid.

#include <memory>
#include <vector>

#include "Comparison.h"
#include "ErrorReporter.h"
#include "tavlo/IComparisons.h"

namespace tavlo {

class ComparisonList final : public IComparisons {
  public:
    explicit ComparisonList(const ErrorReporter& errors) : errors_(&errors) {}

    void Initialize(int16_t count) override;
    IComparison& Item(int16_t index) override;
    const IComparison& Item(int16_t index) const override;
    int16_t Count() const override { return static_cast<int16_t>(members_.size()); }

    // For the engine: keeps the first `count` members, adds fresh ones as needed.
    void resize(std::size_t count);
    Comparison& at(std::size_t position) { return *members_[position]; }

  private:
    const ErrorReporter* errors_;
    std::vector<std::unique_ptr<Comparison>> members_;
};

}  // namespace tavlo
