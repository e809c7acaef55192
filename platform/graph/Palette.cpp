#include "qvc/graph/Palette.h"

namespace qvc::graph {

const std::array<Colour, kSeriesColours>& seriesPalette() {
    // Neighbours in the list alternate dark and light, so adjacent legend
    // entries differ most. Grey levels (0.299 R + 0.587 G + 0.114 B) of the
    // first eight: 0, 162, 51, 188, 119, 138, 71, 90.
    static const std::array<Colour, kSeriesColours> colours{{
        {0, 0, 0},        // black
        {230, 159, 0},    // orange
        {51, 34, 136},    // indigo
        {136, 204, 238},  // light cyan
        {213, 94, 0},     // vermilion
        {68, 170, 153},   // teal
        {120, 60, 0},     // brown
        {90, 90, 90},     // dark grey
        {0, 114, 178},    // blue
        {204, 121, 167},  // reddish purple
        {17, 119, 51},    // green
        {221, 204, 119},  // sand
        {136, 34, 85},    // wine
        {86, 180, 233},   // sky blue
        {153, 153, 51},   // olive
        {0, 45, 110},     // navy
        {204, 102, 119},  // rose
        {0, 158, 115},    // bluish green
        {170, 68, 153},   // purple
        {102, 17, 0},     // dark red
    }};
    return colours;
}

}  // namespace qvc::graph
