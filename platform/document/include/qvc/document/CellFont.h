#pragma once

#include "qvc/document/Export.h"
// The font object of a table cell; only underlining is set through it.

namespace qvc::doc {

class QVC_DOCUMENT_EXPORT CellFont {
  public:
    void SetUnderline(bool on) { underline_ = on; }
    bool underline() const { return underline_; }

  private:
    bool underline_ = false;
};

}  // namespace qvc::doc
