// The series palette: the first eight colours show on white paper and stay
// apart in greyscale print and for the three kinds of colour blindness; all
// twenty are different.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <tuple>

#include "qvc/graph/Palette.h"

namespace qvc::graph {
namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

// Full-severity simulations of protanopia, deuteranopia and tritanopia
// (Machado, Oliveira and Fernandes 2009), applied to the 0..255 values.
constexpr std::array<Matrix, 3> kColourBlindness{{
    {{{0.152286, 1.052583, -0.204868},
      {0.114503, 0.786281, 0.099216},
      {-0.003882, -0.048116, 1.051998}}},
    {{{0.367322, 0.860646, -0.227968},
      {0.280085, 0.672501, 0.047413},
      {-0.011820, 0.042940, 0.968881}}},
    {{{1.255528, -0.076749, -0.178779},
      {-0.078411, 0.930809, 0.147602},
      {0.004733, 0.691367, 0.303900}}},
}};

std::array<double, 3> seenWith(const Matrix& m, const Colour& c) {
    std::array<double, 3> out{};
    for (size_t i = 0; i < 3; ++i)
        out[i] = std::clamp(m[i][0] * c.r + m[i][1] * c.g + m[i][2] * c.b, 0.0, 255.0);
    return out;
}

double grey(const Colour& c) {
    return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
}

TEST(SeriesPalette, TheFirstEightStayApartInGreyAndForColourBlindReaders) {
    const auto& palette = seriesPalette();
    for (size_t a = 0; a < 8; ++a) {
        EXPECT_LT(grey(palette[a]), 200.0) << "colour " << a + 1;
        for (size_t b = a + 1; b < 8; ++b) {
            EXPECT_GE(std::abs(grey(palette[a]) - grey(palette[b])), 18.0)
                << "colours " << a + 1 << " and " << b + 1 << " print as one grey";
            for (size_t k = 0; k < kColourBlindness.size(); ++k) {
                const auto x = seenWith(kColourBlindness[k], palette[a]);
                const auto y = seenWith(kColourBlindness[k], palette[b]);
                EXPECT_GE(std::hypot(x[0] - y[0], x[1] - y[1], x[2] - y[2]), 60.0)
                    << "colours " << a + 1 << " and " << b + 1 << " under simulation " << k;
            }
        }
    }
    std::set<std::tuple<int, int, int>> distinct;
    for (const Colour& c : palette)
        distinct.insert({c.r, c.g, c.b});
    EXPECT_EQ(distinct.size(), palette.size());
}

}  // namespace
}  // namespace qvc::graph
