#pragma once
// One cell of a Table, addressed by its 1-based running number. Codes and units
// are described in Codes.h. Invalid values raise qvc::rt::Error 5.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "qvc/document/CellFont.h"
#include "qvc/document/Export.h"
#include "qvc/document/Model.h"

namespace qvc::doc {

class QVC_DOCUMENT_EXPORT TableCell {
  public:
    void SetValue(std::string_view text);  // UTF-8; CR LF / LF are line breaks
    void SetWidth(float inches);           // >= 0
    void SetFontSize(float points);        // > 0
    void SetFontName(std::string_view name);
    void SetBold(bool on) { bold_ = on; }
    void SetBackColor(int32_t rgbLong);       // &HBBGGRR
    void SetAlignment(int32_t code);          // 1024 left, 2 right, 1 centre
    void SetVerticalAlignment(int32_t code);  // 1 top, 2 centre, 3 bottom
    void SetPadding(float inches);            // >= 0
    void SetCellMeasure(float inches);        // minimum row height, >= 0
    void SetRowStart(bool on) { rowStart_ = on; }
    CellFont& Font() { return font_; }

    const std::string& value() const { return value_; }
    float width() const { return width_; }
    std::optional<float> fontSize() const { return fontSize_; }
    const std::optional<std::string>& fontName() const { return fontName_; }
    bool bold() const { return bold_; }
    std::optional<Rgb> backColor() const { return backColor_; }
    HAlign alignment() const { return align_; }
    VAlign verticalAlignment() const { return valign_; }
    float padding() const { return padding_; }
    float cellMeasure() const { return measure_; }
    bool rowStart() const { return rowStart_; }
    const CellFont& Font() const { return font_; }

  private:
    std::string value_;
    float width_ = 0;
    std::optional<float> fontSize_;
    std::optional<std::string> fontName_;
    bool bold_ = false;
    std::optional<Rgb> backColor_;
    HAlign align_ = HAlign::Left;
    VAlign valign_ = VAlign::Top;
    float padding_ = 0;
    float measure_ = 0;
    bool rowStart_ = false;
    CellFont font_;
};

}  // namespace qvc::doc
