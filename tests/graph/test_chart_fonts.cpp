// Chart text drawn with the Liberation Sans files opened directly must come out
// pixel for pixel as through fontconfig's own choice for "Arial": same glyphs,
// same hinting, same advances, upright and turned, regular and bold.

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ChartDrawingFonts.h"

using qvc::graph::detail::ChartDrawingFonts;

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 360;

struct Drawn {
    std::vector<unsigned char> pixels;
    std::vector<double> advances;
};

// Texts at the sizes charts use, as a canvas sets them up (96 dpi, grey
// antialiasing, metrics not hinted), upright and turned.
Drawn drawTexts(bool directFaces) {
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, kWidth);
    Drawn d{std::vector<unsigned char>(static_cast<size_t>(stride) * kHeight, 0xFF), {}};
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        d.pixels.data(), CAIRO_FORMAT_RGB24, kWidth, kHeight, stride);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, 96.0 / 72.0, 96.0 / 72.0);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    const char* text = "Life-Cycle Cost $1,234,567 (gjqy) Année 2031";
    const double sizes[] = {5.0, 6.8, 8.1, 9.0, 11.3};
    for (int line = 0; line < 10; ++line) {
        const bool bold = line >= 5;
        if (directFaces)
            cairo_set_font_face(cr, ChartDrawingFonts::face("Arial", bold));
        else
            cairo_select_font_face(cr, "Arial", CAIRO_FONT_SLANT_NORMAL,
                                   bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, sizes[line % 5]);
        cairo_move_to(cr, 4 + bold * 20, 14 + line * 18);
        cairo_show_text(cr, text);
        cairo_text_extents_t extents;
        cairo_text_extents(cr, text, &extents);
        d.advances.push_back(extents.x_advance);
    }
    cairo_move_to(cr, 440, 250);
    cairo_rotate(cr, -1.5707963267948966);
    cairo_show_text(cr, "Present worth ($)");
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return d;
}

TEST(ChartDrawingFonts, ArialFromTheFilesMatchesFontconfigsChoice) {
    if (ChartDrawingFonts::face("Arial", false) == nullptr)
        GTEST_SKIP() << "Liberation Sans is not installed";
    EXPECT_EQ(ChartDrawingFonts::face("arial", true), ChartDrawingFonts::face("Arial", true));
    EXPECT_NE(ChartDrawingFonts::face("Arial", true), ChartDrawingFonts::face("Arial", false));
    EXPECT_EQ(ChartDrawingFonts::face("DejaVu Serif", false), nullptr);
    const Drawn viaFontconfig = drawTexts(false);
    const Drawn direct = drawTexts(true);
    EXPECT_EQ(direct.advances, viaFontconfig.advances);
    EXPECT_TRUE(direct.pixels == viaFontconfig.pixels) << "the text's pixels differ";
    EXPECT_NE(std::count(direct.pixels.begin(), direct.pixels.end(), 0xFF),
              static_cast<long>(direct.pixels.size()))
        << "nothing drawn";
}

}  // namespace
