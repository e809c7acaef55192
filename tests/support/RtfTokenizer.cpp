#include <cctype>
#include <stdexcept>

#include "RtfReader.h"

namespace qvc::test {

namespace {

bool isAlpha(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}
bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The control word or symbol at rtf[i] (a backslash); `i` moves past it.
RtfToken control(std::string_view rtf, size_t& i) {
    if (i + 1 >= rtf.size())
        throw std::runtime_error("RTF: backslash at the end of the file");
    const char n = rtf[i + 1];
    if (n == '\'') {
        if (i + 3 >= rtf.size())
            throw std::runtime_error("RTF: truncated \\' escape");
        i += 4;
        return {RtfToken::Kind::Symbol,
                "'",
                std::stoi(std::string(rtf.substr(i - 2, 2)), nullptr, 16),
                {}};
    }
    if (!isAlpha(n)) {
        i += 2;  // a backslash before a line end is a paragraph mark
        if (n == '\r' || n == '\n')
            return {RtfToken::Kind::Word, "par", std::nullopt, {}};
        return {RtfToken::Kind::Symbol, std::string(1, n), std::nullopt, {}};
    }
    size_t j = i + 1;
    while (j < rtf.size() && isAlpha(rtf[j]))
        ++j;
    RtfToken t{RtfToken::Kind::Word, std::string(rtf.substr(i + 1, j - i - 1)), std::nullopt, {}};
    size_t k = j;
    if (k < rtf.size() && (rtf[k] == '-' || isDigit(rtf[k]))) {
        ++k;
        while (k < rtf.size() && isDigit(rtf[k]))
            ++k;
        t.param = std::stoi(std::string(rtf.substr(j, k - j)));
    }
    i = k < rtf.size() && rtf[k] == ' ' ? k + 1 : k;
    return t;
}

}  // namespace

std::vector<RtfToken> tokenizeRtf(std::string_view rtf) {
    std::vector<RtfToken> out;
    int depth = 0;
    for (size_t i = 0; i < rtf.size() && !(depth == 0 && !out.empty());) {
        const char c = rtf[i];
        if (c == '{' || c == '}') {
            depth += c == '{' ? 1 : -1;
            if (depth < 0)
                throw std::runtime_error("RTF: '}' without a matching '{'");
            out.push_back({c == '{' ? RtfToken::Kind::GroupStart : RtfToken::Kind::GroupEnd,
                           {},
                           std::nullopt,
                           {}});
            ++i;
            if (depth == 0 && rtf.find_first_not_of(std::string_view(" \t\r\n\f\v\0", 7), i) !=
                                  std::string_view::npos)
                throw std::runtime_error("RTF: text after the final '}'");
        } else if (c == '\\') {
            RtfToken t = control(rtf, i);
            if (t.word == "bin" && t.param)
                i += static_cast<size_t>(*t.param);  // binary data is skipped
            else
                out.push_back(std::move(t));
        } else if (c == '\r' || c == '\n') {
            ++i;
        } else {
            if (depth == 0)
                throw std::runtime_error("RTF: text outside the document group");
            if (out.back().kind != RtfToken::Kind::Text)
                out.push_back({RtfToken::Kind::Text, {}, std::nullopt, {}});
            out.back().text.push_back(c);
            ++i;
        }
    }
    if (depth != 0)
        throw std::runtime_error("RTF: unbalanced braces (" + std::to_string(depth) +
                                 " group(s) not closed)");
    if (out.size() < 2 || out[0].kind != RtfToken::Kind::GroupStart || out[1].word != "rtf")
        throw std::runtime_error("RTF: the file does not start with {\\rtf1");
    return out;
}

}  // namespace qvc::test
