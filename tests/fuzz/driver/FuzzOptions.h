#pragma once
// Command line of a fuzz target built with the mutation driver. The flags are
// spelt as libFuzzer spells them, so one command runs a target whichever engine
// it was built with:
//   TARGET [-max_total_time=S] [-seed=N] [-dict=FILE] [-max_len=N] [-runs=N]
//          [-artifact_prefix=PATH] [DIR | FILE]...
// Folders hold the seed inputs (read, never written); files given alone are
// run once each, to reproduce a failure.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qvc::fuzz {

struct FuzzOptions {
    double seconds = 60;                  // -max_total_time; 0 runs the seeds only
    std::uint64_t seed = 1;               // -seed; the same seed tries the same inputs
    std::string dictionary;               // -dict
    std::size_t maxLength = 16384;        // -max_len
    std::optional<std::uint64_t> runs;    // -runs: stop after this many mutated inputs
    std::string artifactPrefix = "./";    // -artifact_prefix
    std::vector<std::string> corpusDirs;  // folders of seed inputs
    std::vector<std::string> inputFiles;  // inputs to run once each

    // Unknown flags are reported on stderr and ignored, as libFuzzer does.
    static FuzzOptions parse(int argc, char** argv);
};

}  // namespace qvc::fuzz
