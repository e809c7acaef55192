#include "common/ResourceMarkup.h"

#include <fmt/format.h>

#include <cctype>
#include <pugixml.hpp>
#include <unordered_map>

namespace qvc {

namespace {

bool isDigits(std::string_view s, bool hex) {
    if (s.empty())
        return false;
    for (char c : s) {
        unsigned char u = static_cast<unsigned char>(c);
        if (!(hex ? std::isxdigit(u) : std::isdigit(u)))
            return false;
    }
    return true;
}

// A raw (undecoded) character data or attribute text: every "&" must start
// &amp; &lt; &gt; &quot; &apos; &#digits; or &#xhex;, and "]]>" may not occur.
std::string rawTextProblem(std::string_view raw) {
    if (raw.find("]]>") != std::string_view::npos)
        return "\"]]>\" in character data";
    for (size_t at = raw.find('&'); at != std::string_view::npos; at = raw.find('&', at + 1)) {
        size_t end = raw.find(';', at);
        if (end == std::string_view::npos)
            return "\"&\" that starts no reference";
        std::string_view name = raw.substr(at + 1, end - at - 1);
        bool ok =
            name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos" ||
            (name.size() > 1 && name[0] == '#' &&
             (name[1] == 'x' ? isDigits(name.substr(2), true) : isDigits(name.substr(1), false)));
        if (!ok)
            return "\"&" + std::string(name.substr(0, 20)) + "\" is not a character reference";
    }
    return {};
}

std::string rawTreeProblem(const pugi::xml_node& node) {
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_pcdata) {
            std::string problem = rawTextProblem(child.value());
            if (!problem.empty())
                return problem;
        } else if (child.type() == pugi::node_element) {
            for (pugi::xml_attribute a : child.attributes()) {
                std::string problem = rawTextProblem(a.value());
                if (!problem.empty())
                    return problem;
            }
            std::string problem = rawTreeProblem(child);
            if (!problem.empty())
                return problem;
        }
    }
    return {};
}

void appendText(const pugi::xml_node& node, std::string& out) {
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            out += child.value();
        else if (child.type() == pugi::node_element)
            appendText(child, out);
    }
}

}  // namespace

// The document and, for every element name below the document element, the
// first element of that name in document order: looking a key up is then one
// search of the index, not a walk through the whole tree.
struct ResourceMarkup::Document {
    pugi::xml_document doc;
    std::unordered_map<std::string_view, pugi::xml_node> firstByName;

    void indexElements(const pugi::xml_node& parent) {
        for (pugi::xml_node child : parent.children()) {
            if (child.type() == pugi::node_element) {
                firstByName.emplace(child.name(), child);
                indexElements(child);
            }
        }
    }
};

ResourceMarkup::ResourceMarkup(const std::string& markup) : doc_(std::make_unique<Document>()) {
    // First pass without decoding references, to see them as written.
    pugi::xml_document raw;
    pugi::xml_parse_result result =
        raw.load_buffer(markup.data(), markup.size(), pugi::parse_default & ~pugi::parse_escapes,
                        pugi::encoding_utf8);
    if (!result) {
        problem_ = fmt::format("{} at offset {}", result.description(), result.offset);
        return;
    }
    if (!raw.document_element()) {
        problem_ = "no document element";
        return;
    }
    problem_ = rawTreeProblem(raw);
    if (!problem_.empty())
        return;
    result = doc_->doc.load_buffer(markup.data(), markup.size(), pugi::parse_default,
                                   pugi::encoding_utf8);
    if (!result) {
        problem_ = result.description();
        return;
    }
    doc_->indexElements(doc_->doc.document_element());
}

ResourceMarkup::~ResourceMarkup() = default;

std::optional<std::string> ResourceMarkup::firstElementText(std::string_view key) const {
    if (!wellFormed())
        return std::nullopt;
    const auto found = doc_->firstByName.find(key);
    if (found == doc_->firstByName.end())
        return std::nullopt;
    std::string text;
    appendText(found->second, text);
    return text;
}

}  // namespace qvc
