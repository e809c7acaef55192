#pragma once
// The table rows of the test RTF reader: a row definition (\trowd, its cell
// edges and shading) and the cells read after it, joined at \row.

#include <optional>
#include <string>
#include <vector>

#include "RtfReader.h"

namespace qvc::test {

class RtfRowReader {
  public:
    RtfCell cell;  // the cell being read; its edge and shading come from the definition

    // Handles a row definition or cell word and returns true, or returns false.
    bool word(const std::string& w, int v, const std::vector<RtfColour>& colours);
    // The row the definition and the cells read since make (at \row).
    RtfRow endRow();

  private:
    RtfRow definition_;
    std::vector<RtfCell> cells_;
    std::optional<RtfColour> shading_;
};

}  // namespace qvc::test
