#include "AlternativeList.h"

#include <fmt/format.h>

#include "qvc/runtime/ErrorNumbers.h"

namespace tavlo {

namespace {
constexpr std::string_view kClass = "Alternatives";
}

void AlternativeList::Initialize(int16_t count) {
    if (count < 0) {
        errors_->raise(qvc::rt::err::kInvalidProcedureCall,
                       fmt::format("Cannot make {} alternatives", count), kClass, "Initialize");
    }
    members_.clear();
    members_.reserve(static_cast<std::size_t>(count));
    for (int16_t i = 0; i < count; ++i) {
        members_.push_back(std::make_unique<Alternative>(*errors_));
    }
}

IAlternative& AlternativeList::Item(int16_t index) {
    errors_->checkIndex(index, Count(), "Alternative", kClass, "Item");
    return *members_[static_cast<std::size_t>(index) - 1];
}

const IAlternative& AlternativeList::Item(int16_t index) const {
    errors_->checkIndex(index, Count(), "Alternative", kClass, "Item");
    return *members_[static_cast<std::size_t>(index) - 1];
}

}  // namespace tavlo
