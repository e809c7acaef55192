#include "FuzzDictionary.h"

#include <cctype>
#include <fstream>
#include <stdexcept>

namespace qvc::fuzz {

namespace {

bool hex(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// The token between the line's first and last double quote, unescaped.
std::string parseToken(const std::string& line, std::size_t first) {
    const auto open = line.find('"', first);
    const auto close = line.find_last_of('"');
    if (open == std::string::npos || close == open)
        throw std::runtime_error("a token is written in double quotes");
    std::string token;
    for (std::size_t i = open + 1; i < close; ++i) {
        if (line[i] != '\\') {
            token += line[i];
            continue;
        }
        const char next = i + 1 < close ? line[++i] : '\0';
        if (next == '\\' || next == '"') {
            token += next;
        } else if (next == 'x' && i + 2 < close && hex(line[i + 1]) && hex(line[i + 2])) {
            token += static_cast<char>(std::stoi(line.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            throw std::runtime_error(std::string("unknown escape \\") + next);
        }
    }
    return token;
}

}  // namespace

std::vector<std::string> readFuzzDictionary(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(path + ": cannot read the dictionary");
    std::vector<std::string> tokens;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        try {
            if (std::string token = parseToken(line, first); !token.empty())
                tokens.push_back(std::move(token));
        } catch (const std::runtime_error& e) {
            throw std::runtime_error(path + ":" + std::to_string(number) + ": " + e.what());
        }
    }
    return tokens;
}

}  // namespace qvc::fuzz
