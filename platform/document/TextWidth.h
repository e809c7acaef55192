#pragma once
// The width of a text as Arial (Liberation Sans, the same widths) sets it, from
// the fonts' advance widths, without kerning. Kerning only ever narrows the
// pairs that occur in report texts, so the width measured here is never less
// than the width a reader lays out. Other proportional fonts are measured as
// Arial; Courier New as a monospaced font.

#include <cstdint>
#include <string_view>

#include "qvc/document/Model.h"

namespace qvc::doc::detail {

// Advance width of one character in units of 1/2048 em (Liberation Sans).
int32_t advanceUnits(char32_t c, bool bold);

// Width of well-formed UTF-8 text in twips, rounded up.
int32_t textWidthTwips(std::string_view utf8, const CharFormat& format);

}  // namespace qvc::doc::detail
