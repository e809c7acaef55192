#include "Mutator.h"

#include <algorithm>

namespace qvc::fuzz {

namespace {

// Bytes that matter to text formats more often than random ones do.
constexpr char kInterestingBytes[] = {'\0',   '"',    '\\',   '{',    '}',    '[',   ']',  ':',
                                      ',',    '-',    '0',    '9',    'e',    ' ',   '\n', '\x7F',
                                      '\x80', '\xC3', '\xE2', '\xED', '\xF4', '\xFF'};

enum Change {
    kFlipBit,
    kSetByte,
    kInsertByte,
    kDeleteRange,
    kInsertToken,
    kOverwriteWithToken,
    kDuplicateRange,
    kRepeatByte,
    kSplice,
    kChangeCount
};

}  // namespace

Mutator::Mutator(std::uint64_t seed, std::vector<std::string> dictionary, std::size_t maxLength)
    : random_(seed), dictionary_(std::move(dictionary)), maxLength_(maxLength) {}

std::size_t Mutator::below(std::size_t n) {
    return static_cast<std::size_t>(random_() % n);
}

char Mutator::anyByte() {
    if (below(2) == 0)
        return kInterestingBytes[below(sizeof kInterestingBytes)];
    return static_cast<char>(below(256));
}

std::string Mutator::mutate(const std::string& input, const std::string& other) {
    std::string s = input;
    const std::size_t changes = 1 + below(4);
    for (std::size_t i = 0; i < changes; ++i)
        mutateOnce(s, other);
    if (s.size() > maxLength_)
        s.resize(maxLength_);
    return s;
}

void Mutator::mutateOnce(std::string& s, const std::string& other) {
    auto change = static_cast<Change>(below(kChangeCount));
    if (s.empty() && change != kSplice && change != kInsertToken)
        change = kInsertByte;
    if ((change == kInsertToken || change == kOverwriteWithToken) && dictionary_.empty())
        change = kInsertByte;
    switch (change) {
        case kFlipBit:
            s[below(s.size())] ^= static_cast<char>(1u << below(8));
            break;
        case kSetByte:
            s[below(s.size())] = anyByte();
            break;
        case kInsertByte:
            s.insert(s.begin() + static_cast<std::ptrdiff_t>(below(s.size() + 1)), anyByte());
            break;
        case kDeleteRange: {
            const std::size_t at = below(s.size());
            s.erase(at, 1 + below(std::min<std::size_t>(16, s.size() - at)));
            break;
        }
        case kInsertToken:
            s.insert(below(s.size() + 1), dictionary_[below(dictionary_.size())]);
            break;
        case kOverwriteWithToken: {
            const std::string& token = dictionary_[below(dictionary_.size())];
            const std::size_t at = below(s.size());
            s.replace(at, std::min(token.size(), s.size() - at), token);
            break;
        }
        case kDuplicateRange: {
            const std::size_t at = below(s.size());
            const std::size_t length = 1 + below(std::min<std::size_t>(64, s.size() - at));
            const std::string part = s.substr(at, length);
            s.insert(below(s.size() + 1), part);
            break;
        }
        case kRepeatByte:
            s.insert(below(s.size() + 1), 1 + below(256), anyByte());
            break;
        case kSplice: {
            // The start of one input with the end of the other.
            const std::size_t keep = below(s.size() + 1);
            const std::size_t from = below(other.size() + 1);
            s = s.substr(0, keep) + other.substr(from);
            break;
        }
        case kChangeCount:
            break;
    }
}

}  // namespace qvc::fuzz
