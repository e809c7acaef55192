#pragma once
// The font faces chart text is drawn with. Arial, the charts' family, is drawn
// with Liberation Sans (its metric twin). Its files are opened directly, with
// the rendering options a stock fontconfig gives them (grey antialiasing, slight
// hinting), so that a process drawing charts never loads fontconfig's
// configuration and font caches: that set-up alone took longer than drawing all
// the charts of a report. The pixels are the same as through fontconfig.

#include <cairo.h>

#include <string>

namespace qvc::graph::detail {

class ChartDrawingFonts {
  public:
    // The face for `family`, or nullptr when the family is not one drawn with
    // Liberation Sans or its files are not installed: the caller then names the
    // family to cairo, which asks fontconfig. Faces live as long as the process.
    static cairo_font_face_t* face(const std::string& family, bool bold);
};

}  // namespace qvc::graph::detail
