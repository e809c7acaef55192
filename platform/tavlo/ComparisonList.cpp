#include "ComparisonList.h"

#include <fmt/format.h>

#include "qvc/runtime/ErrorNumbers.h"

namespace tavlo {

namespace {
constexpr std::string_view kClass = "Comparisons";
}

void ComparisonList::Initialize(int16_t count) {
    if (count < 0) {
        errors_->raise(qvc::rt::err::kInvalidProcedureCall,
                       fmt::format("Cannot make {} comparisons", count), kClass, "Initialize");
    }
    members_.clear();
    resize(static_cast<std::size_t>(count));
}

void ComparisonList::resize(std::size_t count) {
    if (members_.size() > count) {
        members_.resize(count);
    }
    members_.reserve(count);
    while (members_.size() < count) {
        members_.push_back(std::make_unique<Comparison>(*errors_));
    }
}

IComparison& ComparisonList::Item(int16_t index) {
    errors_->checkIndex(index, Count(), "Comparison", kClass, "Item");
    return *members_[static_cast<std::size_t>(index) - 1];
}

const IComparison& ComparisonList::Item(int16_t index) const {
    errors_->checkIndex(index, Count(), "Comparison", kClass, "Item");
    return *members_[static_cast<std::size_t>(index) - 1];
}

}  // namespace tavlo
