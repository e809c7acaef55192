#pragma once
// Makes new inputs from old ones: bit flips, byte changes, inserts, deletes,
// repeated runs, dictionary tokens and splices of two inputs. The sequence of
// inputs depends only on the seed and on what it is given.

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace qvc::fuzz {

class Mutator {
  public:
    Mutator(std::uint64_t seed, std::vector<std::string> dictionary, std::size_t maxLength);

    // One to four changes to `input`; `other` is the partner of a splice.
    std::string mutate(const std::string& input, const std::string& other);

    // A number from 0 to n - 1 (n > 0).
    std::size_t below(std::size_t n);

  private:
    void mutateOnce(std::string& s, const std::string& other);
    char anyByte();

    std::mt19937_64 random_;
    std::vector<std::string> dictionary_;
    std::size_t maxLength_;
};

}  // namespace qvc::fuzz
