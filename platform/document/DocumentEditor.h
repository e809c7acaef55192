#pragma once
// The editing state of one document: where text goes (body, header or footer of
// the current section), the current character format, and the paragraph that is
// still open at the insertion point. DocumentObject and Table change documents
// only through it.

#include <functional>
#include <optional>

#include "qvc/document/Document.h"

namespace qvc::doc {

class DocumentEditor {
  public:
    enum class Target { Body, Header, Footer };

    explicit DocumentEditor(Document& doc);

    Document& document() { return doc_; }
    const PageSetup& page() const { return current().page; }

    CharFormat& format() { return format_; }
    void resetFormat() { format_ = CharFormat{}; }

    void setPage(const PageSetup& page);
    // Starts a new section (copying page setup, header and footer) when the current
    // one already has body content; otherwise changes the current one.
    void setOrientation(Orientation o);

    void setTarget(Target t);
    Target target() const { return target_; }
    void applyHeaderFooterToAll();

    // The open paragraph, opened (with `align`) when there is none.
    Paragraph& openParagraph(HAlign align = HAlign::Left);
    bool hasOpenParagraph() const { return open_.has_value(); }
    // Ends the open paragraph; `keepWithNext` marks it (a table caption).
    void closeParagraph(bool keepWithNext = false);
    void addEmptyParagraph();
    void addBlock(Block block);  // ends an open paragraph first
    bool bodyIsEmpty() const;
    // Calls `use` with the document as it reads when the open paragraph is
    // ended, for writing it out without disturbing the insertion point and
    // without copying the document.
    void withOpenParagraphEnded(const std::function<void(const Document&)>& use);

  private:
    Section& current() { return doc_.sections_.back(); }
    const Section& current() const { return doc_.sections_.back(); }
    std::vector<Block>& targetBlocks();

    Document& doc_;
    Target target_ = Target::Body;
    CharFormat format_;
    std::optional<Paragraph> open_;
};

}  // namespace qvc::doc
