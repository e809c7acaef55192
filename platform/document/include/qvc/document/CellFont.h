#pragma once
// The font object of a table cell; only underlining is set through it.

namespace qvc::doc {

class CellFont {
  public:
    void SetUnderline(bool on) { underline_ = on; }
    bool underline() const { return underline_; }

  private:
    bool underline_ = false;
};

}  // namespace qvc::doc
