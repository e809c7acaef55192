#include "JsonDocumentBuilder.h"

#include <fmt/format.h>

#include "JsonExcerpt.h"

namespace qvc::cli {

namespace {

// nlohmann's id for a number that does not fit a double (1e400).
constexpr int kNumberOverflow = 406;

// Messages name the field by its first few levels; deeper ones are "...".
constexpr std::size_t kPathLevelsShown = 6;

std::string prefixed(const std::string& path, const std::string& message) {
    return path.empty() ? message : path + ": " + message;
}

}  // namespace

JsonDocumentBuilder::JsonDocumentBuilder(const std::size_t& bytesRead, int maxDepth)
    : bytesRead_(bytesRead), maxDepth_(static_cast<std::size_t>(maxDepth)) {}

bool JsonDocumentBuilder::null() {
    return add(json(nullptr));
}

bool JsonDocumentBuilder::boolean(bool value) {
    return add(json(value));
}

bool JsonDocumentBuilder::number_integer(number_integer_t value) {
    return add(json(value));
}

bool JsonDocumentBuilder::number_unsigned(number_unsigned_t value) {
    return add(json(value));
}

bool JsonDocumentBuilder::number_float(number_float_t value, const string_t&) {
    return add(json(value));
}

bool JsonDocumentBuilder::string(string_t& value) {
    return add(json(std::move(value)));
}

bool JsonDocumentBuilder::binary(binary_t& value) {
    return add(json::binary(std::move(value)));
}

bool JsonDocumentBuilder::start_object(std::size_t) {
    return open(json::object());
}

bool JsonDocumentBuilder::start_array(std::size_t) {
    return open(json::array());
}

bool JsonDocumentBuilder::end_object() {
    return close();
}

bool JsonDocumentBuilder::end_array() {
    return close();
}

bool JsonDocumentBuilder::key(string_t& value) {
    OpenValue& object = open_.back();
    if (!object.keys.insert(value).second) {
        return fail(bytesRead_,
                    prefixed(fieldPath(open_.size() - 1), "the key \"" + textExcerpt(value) +
                                                              "\" is given twice in one object"));
    }
    object.key = std::move(value);
    return true;
}

bool JsonDocumentBuilder::parse_error(std::size_t position, const std::string& lastToken,
                                      const nlohmann::detail::exception& ex) {
    if (ex.id == kNumberOverflow)
        return fail(position,
                    prefixed(fieldPath(open_.size()),
                             "the number " + textExcerpt(lastToken) + " is out of range"));
    fail(position, "not valid JSON");
    failure_.syntax = true;
    return false;
}

bool JsonDocumentBuilder::add(json value) {
    if (open_.empty()) {
        document_ = std::move(value);
        return true;
    }
    OpenValue& parent = open_.back();
    if (parent.value.is_array()) {
        parent.value.push_back(std::move(value));
    } else {
        // key() has refused a repeated key, so the member can be appended
        // without the ordered map's linear search for an existing one.
        auto& members =
            static_cast<json::object_t::Container&>(parent.value.get_ref<json::object_t&>());
        members.emplace_back(std::move(parent.key), std::move(value));
        parent.key.clear();
    }
    return true;
}

bool JsonDocumentBuilder::open(json value) {
    if (open_.size() >= maxDepth_)
        return fail(bytesRead_,
                    prefixed(fieldPath(open_.size()),
                             fmt::format("nested more than {} levels deep", maxDepth_)));
    open_.push_back(OpenValue{std::move(value), {}, {}});
    return true;
}

bool JsonDocumentBuilder::close() {
    json value = std::move(open_.back().value);
    open_.pop_back();
    return add(std::move(value));
}

bool JsonDocumentBuilder::fail(std::size_t byte, std::string message) {
    failure_.byte = byte;
    failure_.message = std::move(message);
    return false;
}

std::string JsonDocumentBuilder::fieldPath(std::size_t levels) const {
    std::string path;
    for (std::size_t i = 0; i < levels; ++i) {
        if (i == kPathLevelsShown) {
            path += "...";
            break;
        }
        const OpenValue& v = open_[i];
        if (v.value.is_array()) {
            path += fmt::format("[{}]", v.value.size() + 1);
        } else {
            if (!path.empty())
                path += '.';
            path += textExcerpt(v.key);
        }
    }
    return path;
}

}  // namespace qvc::cli
