// The engine of fuzz targets built without libFuzzer: runs the seed inputs,
// then mutated inputs until the time budget or the run count is spent. No
// coverage feedback: inputs are drawn from the seeds and from a pool of
// earlier mutants, so that changes pile up over generations; a mutant the
// target turns down (returns -1) is not kept.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "CrashArtifact.h"
#include "FuzzDictionary.h"
#include "FuzzOptions.h"
#include "Mutator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using qvc::fuzz::CrashArtifact;
using qvc::fuzz::FuzzOptions;
using qvc::fuzz::Mutator;

// Mutants kept to be mutated again; the seeds are always kept.
constexpr std::size_t kPoolSize = 4096;

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file under the folders, in a fixed order so that a seed repeats a run.
std::vector<std::string> readSeeds(const std::vector<std::string>& dirs, std::size_t maxLength) {
    std::vector<std::filesystem::path> files;
    for (const auto& dir : dirs)
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<std::string> seeds;
    for (const auto& f : files) {
        std::string s = readFile(f);
        if (s.size() > maxLength)
            s.resize(maxLength);
        seeds.push_back(std::move(s));
    }
    if (seeds.empty())
        seeds.emplace_back();
    return seeds;
}

// Runs one input from a buffer of exactly its size, so that reading past its
// end is caught by the address sanitizer. Returns what the target returns:
// -1 when the input is not worth mutating further, as with libFuzzer.
int runOne(const std::string& input) {
    std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[input.size() + (input.empty() ? 1 : 0)]);
    std::copy(input.begin(), input.end(), copy.get());
    CrashArtifact::current(copy.get(), input.size());
    int result = 0;
    try {
        result = LLVMFuzzerTestOneInput(copy.get(), input.size());
    } catch (const std::exception& e) {
        std::cerr << "fuzz: the target let an exception escape: " << e.what() << "\n";
        std::abort();
    } catch (...) {
        std::cerr << "fuzz: the target let an exception escape\n";
        std::abort();
    }
    CrashArtifact::current(nullptr, 0);
    return result;
}

int fuzz(const FuzzOptions& o) {
    const std::string artifact = o.artifactPrefix + "crash-seed-" + std::to_string(o.seed);
    CrashArtifact::watch(artifact);
    if (!o.inputFiles.empty()) {
        for (const auto& file : o.inputFiles) {
            std::cerr << "fuzz: running " << file << "\n";
            runOne(readFile(file));
        }
        return 0;
    }

    std::vector<std::string> dictionary;
    if (!o.dictionary.empty())
        dictionary = qvc::fuzz::readFuzzDictionary(o.dictionary);
    const std::vector<std::string> seeds = readSeeds(o.corpusDirs, o.maxLength);
    std::cerr << "fuzz: seed " << o.seed << ", " << seeds.size() << " seed inputs, "
              << dictionary.size() << " dictionary tokens, " << o.seconds << " s\n";
    const auto start = std::chrono::steady_clock::now();
    for (const auto& s : seeds)
        runOne(s);

    Mutator mutator(o.seed, std::move(dictionary), o.maxLength);
    std::vector<std::string> pool = seeds;
    const std::chrono::duration<double> budget(o.seconds);
    std::uint64_t runs = 0;
    while (!o.runs || runs < *o.runs) {
        // The clock is read once in a while: it costs more than a small input.
        if (runs % 64 == 0 && std::chrono::steady_clock::now() - start >= budget)
            break;
        const std::string& base = pool[mutator.below(pool.size())];
        const std::string& other = pool[mutator.below(pool.size())];
        std::string input = mutator.mutate(base, other);
        const int result = runOne(input);
        ++runs;
        if (result != -1 && mutator.below(8) == 0) {
            if (pool.size() < seeds.size() + kPoolSize)
                pool.push_back(std::move(input));
            else
                pool[seeds.size() + mutator.below(kPoolSize)] = std::move(input);
        }
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::cerr << "fuzz: done, " << runs << " mutated inputs in " << took.count()
              << " s, no failure\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return fuzz(FuzzOptions::parse(argc, argv));
    } catch (const std::exception& e) {
        std::cerr << "fuzz: " << e.what() << "\n";
        return 2;
    }
}
