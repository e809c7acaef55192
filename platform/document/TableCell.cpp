#include "qvc/document/TableCell.h"

#include <fmt/format.h>

#include <cmath>

#include "Convert.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::doc {

using rt::Error;
namespace err = rt::err;

namespace {
float checkedInches(float v, float max, const char* what) {
    if (!std::isfinite(v) || v < 0.0f || v > max) {
        throw Error(err::kInvalidProcedureCall,
                    fmt::format("A cell's {} must be between 0 and {} inches", what,
                                static_cast<int>(max)));
    }
    return v;
}
}  // namespace

void TableCell::SetValue(std::string_view text) {
    value_ = std::string(text);
}

void TableCell::SetWidth(float inches) {
    width_ = checkedInches(inches, 22.0f, "width");
}

void TableCell::SetFontSize(float points) {
    detail::pointsToHalfPoints(points);
    fontSize_ = points;
}

void TableCell::SetFontName(std::string_view name) {
    if (name.empty()) {
        throw Error(err::kInvalidProcedureCall, "A font name must not be empty");
    }
    fontName_ = std::string(name);
}

void TableCell::SetBackColor(int32_t rgbLong) {
    backColor_ = detail::rgbFromLong(rgbLong);
}

void TableCell::SetAlignment(int32_t code) {
    align_ = detail::alignFromCode(code);
}

void TableCell::SetVerticalAlignment(int32_t code) {
    valign_ = detail::valignFromCode(code);
}

void TableCell::SetPadding(float inches) {
    padding_ = checkedInches(inches, 2.0f, "padding");
}

void TableCell::SetCellMeasure(float inches) {
    measure_ = checkedInches(inches, 20.0f, "height");
}

}  // namespace qvc::doc
