#include "FuzzDictionary.h"

#include <fstream>
#include <stdexcept>

namespace qvc::fuzz {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

bool parseDictionaryLine(const std::string& line, std::string& token) {
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == '#')
        return false;
    const auto open = line.find('"', first);
    const auto close = line.find_last_of('"');
    if (open == std::string::npos || close == open)
        throw std::runtime_error("a token is written in double quotes");
    token.clear();
    for (std::size_t i = open + 1; i < close; ++i) {
        if (line[i] != '\\') {
            token += line[i];
            continue;
        }
        if (i + 1 >= close)
            throw std::runtime_error("a backslash ends the token");
        const char next = line[++i];
        if (next == '\\' || next == '"') {
            token += next;
        } else if (next == 'x' && i + 2 < close && hexDigit(line[i + 1]) >= 0 &&
                   hexDigit(line[i + 2]) >= 0) {
            token += static_cast<char>(hexDigit(line[i + 1]) * 16 + hexDigit(line[i + 2]));
            i += 2;
        } else {
            throw std::runtime_error(std::string("unknown escape \\") + next);
        }
    }
    return true;
}

std::vector<std::string> readFuzzDictionary(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(path + ": cannot read the dictionary");
    std::vector<std::string> tokens;
    std::string line, token;
    for (int number = 1; std::getline(in, line); ++number) {
        try {
            if (parseDictionaryLine(line, token) && !token.empty())
                tokens.push_back(token);
        } catch (const std::runtime_error& e) {
            throw std::runtime_error(path + ":" + std::to_string(number) + ": " + e.what());
        }
    }
    return tokens;
}

}  // namespace qvc::fuzz
