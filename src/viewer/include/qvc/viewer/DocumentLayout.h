#pragma once
// Paginates a report document: every section starts a page with its own paper,
// margins, header and footer; paragraphs wrap at blanks and honour their tab
// stops and alignment; tables keep their column widths, shading, borders and
// padding, never split a row, and repeat their heading row on a new page; a
// caption stays with the table after it; page breaks start a new page. Headers
// and footers are laid out per page with the page number and the document's
// page count, so "Page 3 of 9" is right on every page.
//
// Needs a Qt GUI application (fonts). Arial is drawn with Liberation Sans.

#include "qvc/document/Document.h"
#include "qvc/viewer/Export.h"
#include "qvc/viewer/PageLayout.h"

namespace qvc::viewer {

QVC_VIEWER_EXPORT LaidOutDocument layoutDocument(const doc::Document& document);

}  // namespace qvc::viewer
