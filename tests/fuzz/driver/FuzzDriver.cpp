// Fuzz engine for gcc (no libFuzzer): seeds, then mutants until the time is spent;
// ARTIFACT_PREFIX/crash-seed-N holds the input the process died on.
//   TARGET [-max_total_time=S (0: the seeds only)] [-seed=N] [-dict=FILE]
//          [-artifact_prefix=PATH] [SEED_DIR | FILE_TO_RUN_ONCE]...
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxLength = 16384;

struct Options {
    double seconds = 60;
    std::uint64_t seed = 1;
    std::string dictionary, artifactPrefix = "./";
    std::vector<std::string> seedDirs, inputFiles;
};

// Each input goes to the artifact file before it runs; a run without failure removes the file.
int g_artifact = -1;

void keepInput(const std::string& input) {
    const auto size = static_cast<ssize_t>(input.size());
    if (::ftruncate(g_artifact, 0) != 0 ||
        ::pwrite(g_artifact, input.data(), input.size(), 0) != size)
        throw std::runtime_error("cannot write the artifact file");
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// libFuzzer's dictionary format: a quoted token a line, with \\, \" and \xAB escapes.
std::vector<std::string> readDictionary(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(path + ": cannot read the dictionary");
    std::vector<std::string> tokens;
    for (std::string line; std::getline(in, line);) {
        const auto open = line.find('"'), close = line.find_last_of('"');
        if (line[0] == '#' || open == std::string::npos || close == open)
            continue;
        std::string token;
        for (std::size_t i = open + 1; i < close; ++i) {
            if (line[i] == '\\' && line[i + 1] == 'x' && i + 3 < close) {
                token += static_cast<char>(std::stoi(line.substr(i + 2, 2), nullptr, 16));
                i += 3;
            } else {
                token += line[i] == '\\' ? line[++i] : line[i];
            }
        }
        tokens.push_back(token);
    }
    return tokens;
}

Options parseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto eq = arg.find('=');
        const std::string flag = arg.substr(0, eq), value = arg.substr(eq + 1);
        if (flag == "-max_total_time")
            o.seconds = std::stod(value);
        else if (flag == "-seed")
            o.seed = std::stoull(value);
        else if (flag == "-dict")
            o.dictionary = value;
        else if (flag == "-artifact_prefix")
            o.artifactPrefix = value;
        else if (arg[0] != '-')  // other flags are libFuzzer's own
            (fs::is_directory(arg) ? o.seedDirs : o.inputFiles).push_back(arg);
    }
    return o;
}

// Every file under the folders, in a fixed order so that a seed repeats a run.
std::vector<std::string> readSeeds(const Options& o) {
    std::vector<fs::path> files;
    for (const auto& dir : o.seedDirs)
        for (const auto& entry : fs::recursive_directory_iterator(dir))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<std::string> seeds(files.empty() ? 1 : 0);
    for (const auto& f : files)
        seeds.push_back(readFile(f).substr(0, kMaxLength));
    return seeds;
}

// One stream of random numbers per seed, so that a seed repeats a run.
std::mt19937_64 g_random;
std::vector<std::string> g_dictionary;

std::size_t below(std::size_t n) {
    return static_cast<std::size_t>(g_random() % n);
}

char anyByte() {
    static constexpr char kTextBytes[] = "\"\\{}[]:,-09e \n\x7F\x80\xC3\xE2\xED\xF4\xFF";
    return below(2) ? kTextBytes[below(sizeof kTextBytes)] : static_cast<char>(below(256));
}

// Flip, set, insert or erase bytes, insert or overwrite a token, repeat a piece or splice.
void change(std::string& s, const std::string& other) {
    std::size_t kind = below(8);
    if (((kind == 4 || kind == 5) && g_dictionary.empty()) || (s.empty() && kind != 4 && kind != 7))
        kind = 2;
    const std::size_t at = below(s.size() + 1), at0 = s.empty() ? 0 : below(s.size());
    const std::string token = g_dictionary.empty() ? "" : g_dictionary[below(g_dictionary.size())];
    if (kind == 0)
        s[at0] ^= static_cast<char>(1u << below(8));
    else if (kind == 1)
        s[at0] = anyByte();
    else if (kind == 2)
        s.insert(s.begin() + static_cast<std::ptrdiff_t>(at), anyByte());
    else if (kind == 3)
        s.erase(at0, 1 + below(std::min<std::size_t>(16, s.size() - at0)));
    else if (kind == 4)
        s.insert(at, token);
    else if (kind == 5)
        s.replace(at0, token.size(), token);
    else if (kind == 6)
        s.insert(at, s.substr(at0, 1 + below(64)));
    else
        s = s.substr(0, at) + other.substr(below(other.size() + 1));
}

// One to four changes to `s`, cut to the longest input.
std::string mutate(std::string s, const std::string& other) {
    for (std::size_t changes = 1 + below(4); changes > 0; --changes)
        change(s, other);
    s.resize(std::min(s.size(), kMaxLength));
    return s;
}

// Runs one input from a buffer of exactly its size, so that ASan catches a read past its end.
int runOne(const std::string& input) {
    std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[std::max<std::size_t>(1, input.size())]);
    std::copy(input.begin(), input.end(), copy.get());
    if (g_artifact >= 0)
        keepInput(input);
    int result = 0;
    try {
        result = LLVMFuzzerTestOneInput(copy.get(), input.size());
    } catch (...) {
        std::cerr << "fuzz: the target let an exception escape\n";
        std::abort();
    }
    return result;
}

int fuzz(const Options& o) {
    for (const auto& file : o.inputFiles)
        runOne(readFile(file));
    if (!o.inputFiles.empty())
        return 0;
    const std::string artifact = o.artifactPrefix + "crash-seed-" + std::to_string(o.seed);
    g_artifact = ::open(artifact.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    if (g_artifact < 0)
        throw std::runtime_error(artifact + ": cannot create the artifact file");
    if (!o.dictionary.empty())
        g_dictionary = readDictionary(o.dictionary);
    g_random.seed(o.seed);
    const std::vector<std::string> seeds = readSeeds(o);
    std::cerr << "fuzz: seed " << o.seed << ", " << seeds.size() << " seed inputs, "
              << g_dictionary.size() << " dictionary tokens, " << o.seconds << " s\n";
    const auto start = std::chrono::steady_clock::now();
    for (const auto& s : seeds)
        runOne(s);
    // Mutants not turned down (-1) are sometimes kept, so that changes pile up.
    std::vector<std::string> pool = seeds;
    const std::chrono::duration<double> budget(o.seconds);
    std::uint64_t runs = 0;
    for (; runs % 64 != 0 || std::chrono::steady_clock::now() - start < budget; ++runs) {
        std::string input = mutate(pool[below(pool.size())], pool[below(pool.size())]);
        if (runOne(input) == -1 || below(8) != 0)
            continue;
        if (pool.size() < seeds.size() + 4096)
            pool.push_back(std::move(input));
        else
            pool[seeds.size() + below(4096)] = std::move(input);
    }
    ::close(g_artifact);
    fs::remove(artifact);
    std::cerr << "fuzz: done, " << runs << " mutated inputs, no failure\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return fuzz(parseOptions(argc, argv));
    } catch (const std::exception& e) {
        std::cerr << "fuzz: " << e.what() << "\n";
        return 2;
    }
}
