#pragma once
// The engine's collection of alternatives. Members live on the heap so that a
// reference from Item stays valid until the next Initialize.

#include <memory>
#include <vector>

#include "Alternative.h"
#include "ErrorReporter.h"
#include "tavlo/IAlternatives.h"

namespace tavlo {

class AlternativeList final : public IAlternatives {
  public:
    explicit AlternativeList(const ErrorReporter& errors) : errors_(&errors) {}

    void Initialize(int16_t count) override;
    IAlternative& Item(int16_t index) override;
    const IAlternative& Item(int16_t index) const override;
    int16_t Count() const override { return static_cast<int16_t>(members_.size()); }

    // For the engine: member at 0-based position.
    Alternative& at(std::size_t position) { return *members_[position]; }
    const Alternative& at(std::size_t position) const { return *members_[position]; }
    std::size_t size() const { return members_.size(); }

  private:
    const ErrorReporter* errors_;
    std::vector<std::unique_ptr<Alternative>> members_;
};

}  // namespace tavlo
