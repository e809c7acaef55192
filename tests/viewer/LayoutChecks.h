#pragma once
// What must hold for any laid-out report document, whatever its content:
// everything lies on the paper inside the given margins, no text or picture
// overlaps another, every table row is drawn exactly once, a row kept with the
// next one never ends a page, and every page a table continues on starts with
// all its heading rows.

#include <string>
#include <vector>

#include "qvc/viewer/PageLayout.h"

namespace qvc::test {

// One line per broken rule, naming the page; empty when the layout is sound.
// `sidePt` is the left and right margin, `edgePt` the distance of the header
// and footer from the top and bottom edges.
std::vector<std::string> layoutProblems(const viewer::LaidOutDocument& laid, double sidePt,
                                        double edgePt);

// The texts of a page, word after word in reading order, joined by blanks.
std::string pageText(const viewer::LaidOutPage& page);

}  // namespace qvc::test
