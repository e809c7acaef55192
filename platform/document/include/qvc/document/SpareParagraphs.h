#pragma once
// Empty paragraphs that would only push a page break (or the end of a section)
// onto a page of their own: the blank lines a report writes after a table or
// chart that ends at the foot of a page, followed by a page break, would make
// an empty page. Readers of the model leave them out.

#include <vector>

#include "qvc/document/Export.h"
#include "qvc/document/Model.h"

namespace qvc::doc {

// True for a paragraph that shows nothing: no text but blanks, no tab, field,
// picture, line break or rule.
QVC_DOCUMENT_EXPORT bool isEmptyParagraph(const Paragraph& paragraph);

// For each block of a section's body: true when it is an empty paragraph that
// is followed by nothing but empty paragraphs and page breaks up to the next
// page break or the end of the body.
QVC_DOCUMENT_EXPORT std::vector<bool> spareParagraphs(const std::vector<Block>& body);

}  // namespace qvc::doc
