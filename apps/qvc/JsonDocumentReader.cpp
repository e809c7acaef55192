#include "JsonDocumentReader.h"

#include <fmt/format.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "JsonDocumentBuilder.h"

namespace qvc::cli {

namespace {

// Walks the text for the parser and records how far it has read, so the
// builder can tell the line of a refused key or bracket.
class CountingIterator {
  public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    CountingIterator(const char* at, std::size_t* read) : at_(at), read_(read) {}

    reference operator*() const { return *at_; }
    CountingIterator& operator++() {
        ++at_;
        ++*read_;
        return *this;
    }
    CountingIterator operator++(int) {
        CountingIterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const CountingIterator& other) const { return at_ == other.at_; }
    bool operator!=(const CountingIterator& other) const { return at_ != other.at_; }

  private:
    const char* at_;
    std::size_t* read_;
};

// Line and column (both from 1) of the byte at `index`.
std::pair<std::size_t, std::size_t> lineAndColumn(std::string_view text, std::size_t index) {
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i < index && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return {line, column};
}

}  // namespace

nlohmann::ordered_json parseJsonText(std::string_view text, const std::string& source) {
    std::size_t bytesRead = 0;
    JsonDocumentBuilder builder(bytesRead, kMaxJsonDepth);
    const bool ok = nlohmann::ordered_json::sax_parse(
        CountingIterator(text.data(), &bytesRead),
        CountingIterator(text.data() + text.size(), &bytesRead), &builder);
    if (ok)
        return builder.takeDocument();
    const auto& failure = builder.failure();
    // failure.byte counts the bytes read; the last of them is where it stopped.
    const auto [line, column] = lineAndColumn(text, failure.byte > 0 ? failure.byte - 1 : 0);
    if (failure.syntax)
        throw JsonInputError(
            fmt::format("{}: line {}, column {}: {}", source, line, column, failure.message));
    throw JsonInputError(fmt::format("{}: line {}: {}", source, line, failure.message));
}

nlohmann::ordered_json readJsonFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw JsonInputError(path + ": cannot read the file");
    std::stringstream buffer;
    buffer << in.rdbuf();
    return parseJsonText(buffer.str(), path);
}

}  // namespace qvc::cli
