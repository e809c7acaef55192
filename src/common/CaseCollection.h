#pragma once
// The case snapshots of a run, keyed by the case position as decimal text
// ("1", "2", ...) and kept in the order they were added, so that the reports can
// both look a case up by its position and walk the cases in order.
//
// Errors as a Basic collection raises them: an unknown key 5, a position
// outside 1..Count 9, a key added twice 457.

#include <string>
#include <utility>
#include <vector>

#include "common/CaseSnapshot.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc {

class CaseCollection {
  public:
    static constexpr int32_t kDuplicateKey = 457;
    using Entry = std::pair<std::string, CaseSnapshot>;

    void Add(CaseSnapshot snapshot, const std::string& key) {
        if (Contains(key))
            throw rt::Error(kDuplicateKey,
                            "This key is already associated with an element of this collection");
        entries_.emplace_back(key, std::move(snapshot));
    }

    bool Contains(const std::string& key) const { return find(key) != nullptr; }

    const CaseSnapshot& Item(const std::string& key) const {
        const CaseSnapshot* found = find(key);
        if (!found)
            throw rt::Error(rt::err::kInvalidProcedureCall, "Invalid procedure call or argument");
        return *found;
    }
    // 1-based position in the order of adding.
    const CaseSnapshot& Item(long position) const {
        if (position < 1 || position > Count())
            throw rt::Error(rt::err::kSubscriptOutOfRange, "Subscript out of range");
        return entries_[static_cast<size_t>(position - 1)].second;
    }

    long Count() const { return static_cast<long>(entries_.size()); }
    void Clear() { entries_.clear(); }

    std::vector<Entry>::const_iterator begin() const { return entries_.begin(); }
    std::vector<Entry>::const_iterator end() const { return entries_.end(); }

  private:
    const CaseSnapshot* find(const std::string& key) const {
        for (const auto& [k, snapshot] : entries_)
            if (k == key)
                return &snapshot;
        return nullptr;
    }
    std::vector<Entry> entries_;
};

}  // namespace qvc
