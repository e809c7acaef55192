#pragma once
// What must hold for any laid-out report: all inside the margins, no text or picture overlapping
// another, every table row drawn once, a row kept with the next never ending a page, and every
// page a table continues on starting with all its heading rows.

#include <string>
#include <vector>

#include "qvc/viewer/PageLayout.h"

namespace qvc::test {

// One line per broken rule. `sidePt`: left and right margin; `edgePt`: header and footer distance.
std::vector<std::string> layoutProblems(const viewer::LaidOutDocument& laid, double sidePt,
                                        double edgePt);

// The texts of a page, word after word in reading order, joined by blanks.
std::string pageText(const viewer::LaidOutPage& page);

}  // namespace qvc::test
