#include "TextWidth.h"

#include <utf8.h>

#include <array>

namespace qvc::doc::detail {

namespace {

constexpr int32_t kUnitsPerEm = 2048;

// Advance widths in font units (2048 per em) of Liberation Sans, which has the
// widths of Arial, for U+0020 .. U+00FF; the C1 controls (U+007F .. U+009F)
// are 0 and never reach the table.
constexpr std::array<int16_t, 224> kSansRegular{
    569,  569,  727,  1139, 1139, 1821, 1366, 391,  682,  682,  797,  1196, 569,  682,  569,  569,
    1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 569,  569,  1196, 1196, 1196, 1139,
    2079, 1366, 1366, 1479, 1479, 1366, 1251, 1593, 1479, 569,  1024, 1366, 1139, 1706, 1479, 1593,
    1366, 1593, 1479, 1366, 1251, 1479, 1366, 1933, 1366, 1366, 1251, 569,  569,  569,  961,  1139,
    682,  1139, 1139, 1024, 1139, 1139, 569,  1139, 1139, 455,  455,  1024, 455,  1706, 1139, 1139,
    1139, 1139, 682,  1024, 569,  1139, 1024, 1479, 1024, 1024, 1024, 684,  532,  684,  1196, 0,
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
    569,  682,  1139, 1139, 1139, 1139, 532,  1139, 682,  1509, 758,  1139, 1196, 682,  1509, 1131,
    819,  1124, 682,  682,  682,  1180, 1100, 569,  682,  682,  748,  1139, 1708, 1708, 1708, 1251,
    1366, 1366, 1366, 1366, 1366, 1366, 2048, 1479, 1366, 1366, 1366, 1366, 569,  569,  569,  569,
    1479, 1479, 1593, 1593, 1593, 1593, 1593, 1196, 1593, 1479, 1479, 1479, 1479, 1366, 1366, 1251,
    1139, 1139, 1139, 1139, 1139, 1139, 1821, 1024, 1139, 1139, 1139, 1139, 569,  569,  569,  569,
    1139, 1139, 1139, 1139, 1139, 1139, 1139, 1124, 1251, 1139, 1139, 1139, 1139, 1024, 1139, 1024,
};
constexpr std::array<int16_t, 224> kSansBold{
    569,  682,  971,  1139, 1139, 1821, 1479, 487,  682,  682,  797,  1196, 569,  682,  569,  569,
    1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 682,  682,  1196, 1196, 1196, 1251,
    1997, 1479, 1479, 1479, 1479, 1366, 1251, 1593, 1479, 569,  1139, 1479, 1251, 1706, 1479, 1593,
    1366, 1593, 1479, 1366, 1251, 1479, 1366, 1933, 1366, 1366, 1251, 682,  569,  682,  1196, 1139,
    682,  1139, 1251, 1139, 1251, 1139, 682,  1251, 1251, 569,  569,  1139, 569,  1821, 1251, 1251,
    1251, 1251, 797,  1139, 682,  1251, 1139, 1593, 1139, 1139, 1024, 797,  573,  797,  1196, 0,
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
    569,  682,  1139, 1139, 1139, 1139, 573,  1139, 682,  1509, 758,  1139, 1196, 682,  1509, 1131,
    819,  1124, 682,  682,  682,  1180, 1139, 569,  682,  682,  748,  1139, 1708, 1708, 1708, 1251,
    1479, 1479, 1479, 1479, 1479, 1479, 2048, 1479, 1366, 1366, 1366, 1366, 569,  569,  569,  569,
    1479, 1479, 1593, 1593, 1593, 1593, 1593, 1196, 1593, 1479, 1479, 1479, 1479, 1366, 1366, 1251,
    1139, 1139, 1139, 1139, 1139, 1139, 1821, 1139, 1139, 1139, 1139, 1139, 569,  569,  569,  569,
    1251, 1251, 1251, 1251, 1251, 1251, 1251, 1124, 1251, 1251, 1251, 1251, 1251, 1139, 1251, 1139,
};

// Courier New and Liberation Mono: every character 0.6 em.
constexpr int32_t kMonoAdvance = 1229;
// Characters beyond the table: a full em, so a measured text is never short.
constexpr int32_t kWideAdvance = 2048;
// A few frequent characters beyond Latin-1 (minus sign, dashes, euro).
int32_t extraAdvance(char32_t c) {
    switch (c) {
        case 0x2212:
            return 1196;
        case 0x2013:
        case 0x20AC:
            return 1139;
        case 0x2014:
            return 2048;
        case 0x2018:
        case 0x2019:
            return 455;
        case 0x201C:
        case 0x201D:
            return 682;
        default:
            return kWideAdvance;
    }
}

bool isMonospaced(const std::string& font) {
    return font == "Courier New" || font == "Courier" || font == "Liberation Mono";
}

}  // namespace

int32_t advanceUnits(char32_t c, bool bold) {
    if (c >= 0x20 && c <= 0xFF && !(c >= 0x7F && c < 0xA0)) {
        const auto& table = bold ? kSansBold : kSansRegular;
        return table[c - 0x20];
    }
    return extraAdvance(c);
}

int32_t textWidthTwips(std::string_view utf8, const CharFormat& format) {
    int64_t units = 0;
    const bool mono = isMonospaced(format.font);
    auto it = utf8.begin();
    while (it != utf8.end()) {
        const char32_t c = utf8::unchecked::next(it);
        units += mono ? kMonoAdvance : advanceUnits(c, format.bold);
    }
    // units / 2048 em, an em being halfPoints * 10 twips; rounded up.
    const int64_t scaled = units * format.halfPoints * 10;
    return static_cast<int32_t>((scaled + kUnitsPerEm - 1) / kUnitsPerEm);
}

}  // namespace qvc::doc::detail
