#include "FuzzOptions.h"

#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace qvc::fuzz {

namespace {

std::uint64_t unsignedValue(const std::string& flag, const std::string& value) {
    std::size_t used = 0;
    const unsigned long long n = std::stoull(value, &used);
    if (used != value.size())
        throw std::invalid_argument("-" + flag + "=" + value + ": not a whole number");
    return n;
}

}  // namespace

FuzzOptions FuzzOptions::parse(int argc, char** argv) {
    FuzzOptions o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.size() > 1 && arg[0] == '-') {
            const auto eq = arg.find('=');
            const std::string flag = arg.substr(1, eq == std::string::npos ? eq : eq - 1);
            const std::string value = eq == std::string::npos ? "" : arg.substr(eq + 1);
            if (flag == "max_total_time")
                o.seconds = static_cast<double>(unsignedValue(flag, value));
            else if (flag == "seed")
                o.seed = unsignedValue(flag, value);
            else if (flag == "dict")
                o.dictionary = value;
            else if (flag == "max_len")
                o.maxLength = unsignedValue(flag, value);
            else if (flag == "runs")
                o.runs = unsignedValue(flag, value);
            else if (flag == "artifact_prefix")
                o.artifactPrefix = value;
            else if (flag != "print_final_stats")  // the driver always prints them
                std::cerr << "fuzz: ignoring the flag " << arg << "\n";
            continue;
        }
        if (std::filesystem::is_directory(arg))
            o.corpusDirs.push_back(arg);
        else
            o.inputFiles.push_back(arg);
    }
    if (o.maxLength == 0)
        o.maxLength = 1;
    return o;
}

}  // namespace qvc::fuzz
