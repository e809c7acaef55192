#pragma once
// The mark-up text of the resource strings read as an XML document: the
// document element and, for a key, the text of the first element of that name
// below it in document order (what a DOM's getElementsByTagName(key) item 0
// gives).
//
// The text must be well-formed XML. Besides what the parser rejects, a "&" that
// does not start a predefined or numeric character reference, and "]]>" in
// character data, make it ill-formed; an ill-formed text has no document
// element and every lookup finds nothing.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace qvc {

class ResourceMarkup {
  public:
    explicit ResourceMarkup(const std::string& markup);
    ~ResourceMarkup();
    ResourceMarkup(const ResourceMarkup&) = delete;
    ResourceMarkup& operator=(const ResourceMarkup&) = delete;

    bool wellFormed() const { return problem_.empty(); }
    // Why the text is not well-formed (empty when it is).
    const std::string& problem() const { return problem_; }

    // The concatenated character data of the first element named `key` below
    // the document element; nothing when there is no such element or the text
    // is ill-formed.
    std::optional<std::string> firstElementText(std::string_view key) const;

  private:
    struct Document;
    std::unique_ptr<Document> doc_;
    std::string problem_;
};

}  // namespace qvc
