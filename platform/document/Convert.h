#pragma once
// Conversions from the report code's numbers to model values (see Codes.h).

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "qvc/document/Model.h"

namespace qvc::doc::detail {

int32_t inchesToTwips(double inches);           // rounds; raises 5 for NaN or out of range
int32_t pointsToHalfPoints(double points);      // raises 5 unless 1 <= points <= 1638
std::optional<Rgb> rgbFromLong(int32_t value);  // negative = default colour
HAlign alignFromCode(int32_t code);             // 1024, 2, 1; anything else raises 5
VAlign valignFromCode(int32_t code);            // 1, 2, 3; anything else raises 5

// Splits UTF-8 text into runs of `format`: tabs become Tab runs, CR LF / CR / LF
// LineBreak runs; other control characters are dropped and ill-formed UTF-8 is
// replaced by U+FFFD, so the model only ever holds well-formed text.
std::vector<Run> textRuns(std::string_view text, const CharFormat& format);

}  // namespace qvc::doc::detail
