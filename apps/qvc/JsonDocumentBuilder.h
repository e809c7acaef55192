#pragma once
// The receiving end of the JSON parser: builds the document value by value and
// refuses, as soon as the parser reaches them, what no record needs and a
// hostile file can hold: nesting deeper than a limit, a key given twice in one
// object, a number outside the range of a double.

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>
#include <unordered_set>
#include <vector>

namespace qvc::cli {

class JsonDocumentBuilder : public nlohmann::json_sax<nlohmann::ordered_json> {
  public:
    using json = nlohmann::ordered_json;

    // Where and why the parse stopped.
    struct Failure {
        std::size_t byte = 0;  // the last byte read when the parse stopped
        bool syntax = false;   // not JSON at all, as opposed to refused JSON
        std::string message;   // without the source name and line
    };

    // `bytesRead` is how far the parser has read the text at each call.
    JsonDocumentBuilder(const std::size_t& bytesRead, int maxDepth);

    bool null() override;
    bool boolean(bool value) override;
    bool number_integer(number_integer_t value) override;
    bool number_unsigned(number_unsigned_t value) override;
    bool number_float(number_float_t value, const string_t& text) override;
    bool string(string_t& value) override;
    bool binary(binary_t& value) override;
    bool start_object(std::size_t elements) override;
    bool key(string_t& value) override;
    bool end_object() override;
    bool start_array(std::size_t elements) override;
    bool end_array() override;
    bool parse_error(std::size_t position, const std::string& lastToken,
                     const nlohmann::detail::exception& ex) override;

    const Failure& failure() const { return failure_; }
    json takeDocument() { return std::move(document_); }

  private:
    // An array or object still open, with the keys it has so far.
    struct OpenValue {
        json value;
        std::string key;
        std::unordered_set<std::string> keys;
    };

    bool add(json value);
    bool open(json value);
    bool close();
    bool fail(std::size_t byte, std::string message);
    // Where the next value of the outermost `levels` open values goes, as the
    // records name fields: Investments[2].InvCost.
    std::string fieldPath(std::size_t levels) const;

    const std::size_t& bytesRead_;
    const std::size_t maxDepth_;
    std::vector<OpenValue> open_;
    json document_;
    Failure failure_;
};

}  // namespace qvc::cli
