#include <cctype>
#include <stdexcept>

#include "RtfReader.h"

namespace qvc::test {

std::vector<RtfToken> tokenizeRtf(std::string_view rtf) {
    std::vector<RtfToken> out;
    size_t i = 0;
    int depth = 0;
    auto text = [&](char c) {
        if (out.empty() || out.back().kind != RtfToken::Kind::Text) {
            out.push_back({RtfToken::Kind::Text, {}, std::nullopt, {}});
        }
        out.back().text.push_back(c);
    };
    while (i < rtf.size()) {
        char c = rtf[i];
        if (c == '{') {
            ++depth;
            out.push_back({RtfToken::Kind::GroupStart, {}, std::nullopt, {}});
            ++i;
        } else if (c == '}') {
            if (--depth < 0) {
                throw std::runtime_error("RTF: '}' without a matching '{'");
            }
            out.push_back({RtfToken::Kind::GroupEnd, {}, std::nullopt, {}});
            ++i;
            if (depth == 0) {
                for (size_t j = i; j < rtf.size(); ++j) {
                    if (!std::isspace(static_cast<unsigned char>(rtf[j])) && rtf[j] != '\0') {
                        throw std::runtime_error("RTF: text after the final '}'");
                    }
                }
                break;
            }
        } else if (c == '\\') {
            if (i + 1 >= rtf.size()) {
                throw std::runtime_error("RTF: backslash at the end of the file");
            }
            char n = rtf[i + 1];
            if (std::isalpha(static_cast<unsigned char>(n))) {
                size_t j = i + 1;
                while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) {
                    ++j;
                }
                RtfToken t{RtfToken::Kind::Word,
                           std::string(rtf.substr(i + 1, j - i - 1)),
                           std::nullopt,
                           {}};
                size_t k = j;
                if (k < rtf.size() &&
                    (rtf[k] == '-' || std::isdigit(static_cast<unsigned char>(rtf[k])))) {
                    ++k;
                    while (k < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[k]))) {
                        ++k;
                    }
                    t.param = std::stoi(std::string(rtf.substr(j, k - j)));
                }
                if (k < rtf.size() && rtf[k] == ' ') {
                    ++k;
                }
                i = k;
                if (t.word == "bin" && t.param) {
                    i += static_cast<size_t>(*t.param);
                    continue;
                }
                out.push_back(std::move(t));
            } else if (n == '\'') {
                if (i + 3 >= rtf.size()) {
                    throw std::runtime_error("RTF: truncated \\' escape");
                }
                std::string hex(rtf.substr(i + 2, 2));
                out.push_back({RtfToken::Kind::Symbol, "'", std::stoi(hex, nullptr, 16), {}});
                i += 4;
            } else if (n == '\r' || n == '\n') {
                out.push_back({RtfToken::Kind::Word, "par", std::nullopt, {}});
                i += 2;
            } else {
                out.push_back({RtfToken::Kind::Symbol, std::string(1, n), std::nullopt, {}});
                i += 2;
            }
        } else if (c == '\r' || c == '\n') {
            ++i;
        } else {
            if (depth == 0) {
                throw std::runtime_error("RTF: text outside the document group");
            }
            text(c);
            ++i;
        }
    }
    if (depth != 0) {
        throw std::runtime_error("RTF: unbalanced braces (" + std::to_string(depth) +
                                 " group(s) not closed)");
    }
    if (out.size() < 2 || out[0].kind != RtfToken::Kind::GroupStart ||
        out[1].kind != RtfToken::Kind::Word || out[1].word != "rtf") {
        throw std::runtime_error("RTF: the file does not start with {\\rtf1");
    }
    return out;
}

}  // namespace qvc::test
