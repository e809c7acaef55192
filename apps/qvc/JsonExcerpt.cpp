#include "JsonExcerpt.h"

#include "Utf8Repair.h"

namespace qvc::cli {

using json = nlohmann::ordered_json;

namespace {

// Arrays and objects deeper than this are shown as [...] or {...}: the excerpt
// must not recurse as deep as a hostile value goes.
constexpr int kMaxExcerptDepth = 3;

std::string quotedText(std::string_view text, std::size_t maxChars) {
    const std::string_view head = utf8Prefix(text, maxChars);
    std::string out = json(withValidUtf8(head)).dump();
    if (head.size() < text.size())
        out.insert(out.size() - 1, "...");
    return out;
}

// Appends the value to `out` until `out` holds `limit` characters.
void writeExcerpt(const json& v, std::string& out, std::size_t limit, int depth) {
    if (out.size() >= limit)
        return;
    if (v.is_string()) {
        out += quotedText(v.get_ref<const json::string_t&>(), limit - out.size());
        return;
    }
    if (!v.is_array() && !v.is_object()) {
        out += v.dump();
        return;
    }
    const bool isObject = v.is_object();
    if (depth >= kMaxExcerptDepth) {
        out += isObject ? "{...}" : "[...]";
        return;
    }
    out += isObject ? '{' : '[';
    bool first = true;
    for (auto it = v.begin(); it != v.end(); ++it) {
        if (out.size() >= limit) {
            out += "...";
            break;
        }
        if (!first)
            out += ", ";
        first = false;
        if (isObject) {
            out += quotedText(it.key(), limit);
            out += ": ";
        }
        writeExcerpt(*it, out, limit, depth + 1);
    }
    out += isObject ? '}' : ']';
}

}  // namespace

std::string jsonExcerpt(const json& value, std::size_t maxChars) {
    std::string out;
    writeExcerpt(value, out, maxChars, 0);
    // The last element written may pass the limit by its own excerpt (more
    // where characters are escaped); this bounds the whole.
    if (out.size() > 2 * maxChars + 8) {
        out.resize(utf8Prefix(out, maxChars).size());
        out += "...";
    }
    return out;
}

std::string textExcerpt(std::string_view text, std::size_t maxChars) {
    const std::string quoted = quotedText(text, maxChars);
    return quoted.substr(1, quoted.size() - 2);
}

}  // namespace qvc::cli
