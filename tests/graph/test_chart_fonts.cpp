// Chart text drawn with the Liberation Sans files opened directly comes out
// pixel for pixel as through fontconfig's own choice for "Arial": same glyphs,
// hinting and advances, upright and turned, regular and bold.

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ChartDrawingFonts.h"

using qvc::graph::detail::ChartDrawingFonts;

namespace {

// Texts at the sizes charts use, set up as a canvas does (96 dpi, grey
// antialiasing, metrics not hinted), on a white 640 x 360 picture.
std::vector<unsigned char> drawTexts(bool directFaces) {
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, 640);
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * 360, 0xFF);
    cairo_surface_t* surface =
        cairo_image_surface_create_for_data(pixels.data(), CAIRO_FORMAT_RGB24, 640, 360, stride);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, 96.0 / 72.0, 96.0 / 72.0);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    const double sizes[] = {5.0, 6.8, 8.1, 9.0, 11.3};
    for (int line = 0; line < 10; ++line) {
        const bool bold = line >= 5;
        if (directFaces)
            cairo_set_font_face(cr, ChartDrawingFonts::face("Arial", bold));
        else
            cairo_select_font_face(cr, "Arial", CAIRO_FONT_SLANT_NORMAL,
                                   bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, sizes[line % 5]);
        cairo_move_to(cr, 4, 14 + line * 18);
        // The advance decides where the next text starts: a wrong one moves it.
        cairo_show_text(cr, "Life-Cycle Cost $1,234,567 (gjqy) ");
        cairo_show_text(cr, "Année 2031");
    }
    cairo_move_to(cr, 440, 250);
    cairo_rotate(cr, -1.5707963267948966);
    cairo_show_text(cr, "Present worth ($)");
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return pixels;
}

TEST(ChartDrawingFonts, ArialFromTheFilesMatchesFontconfigsChoice) {
    if (ChartDrawingFonts::face("Arial", false) == nullptr)
        GTEST_SKIP() << "Liberation Sans is not installed";
    EXPECT_EQ(ChartDrawingFonts::face("arial", true), ChartDrawingFonts::face("Arial", true));
    EXPECT_EQ(ChartDrawingFonts::face("DejaVu Serif", false), nullptr);
    const std::vector<unsigned char> direct = drawTexts(true);
    EXPECT_TRUE(direct == drawTexts(false)) << "the text's pixels differ";
    EXPECT_NE(std::count(direct.begin(), direct.end(), 0xFF), static_cast<long>(direct.size()));
}

}  // namespace
