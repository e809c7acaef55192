#pragma once
// Charts like the reports', and PNG read back by cairo (which checks CRCs and the zlib stream).

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "qvc/graph/Chart.h"
#include "qvc/graph/Palette.h"

namespace qvc::test {

// The life-cycle summary's bars.
inline graph::Chart summaryBars(int cases) {
    using namespace qvc::graph;
    Chart c;
    c.kind = ChartKind::Bar;
    c.title = "First Cost ($)";
    c.widthPt = 235;
    c.heightPt = cases <= 6 ? 185 : 325;
    Subset s{"First cost", Colour{130, 130, 255}, {}};
    for (int i = 0; i < cases; ++i) {
        s.values.push_back(250000.0 + 137000.0 * ((i * 7) % cases));
        c.pointLabels.push_back("Case " + std::to_string(i + 1));
        c.valueAnnotations.push_back("$" + std::to_string(std::llround(s.values.back())));
    }
    c.yMin = 0;
    c.yMax = *std::max_element(s.values.begin(), s.values.end()) * 1.5;
    c.subsets.push_back(s);
    c.fontScale = cases <= 6 ? 1.0 : 0.8;
    return c;
}

// The cash flows: two subsets stacked, with a legend.
inline graph::Chart cashFlowStack(int years) {
    using namespace qvc::graph;
    Chart c;
    c.kind = ChartKind::StackedBar;
    c.title = "Before-Tax Cash Flow [Heat pump with gas backup]";
    c.xAxisLabel = "Year";
    c.yAxisLabel = "Cash Flow ($)";
    c.showLegend = true;
    Subset inv{"Investment Cost", Colour{130, 130, 255}, {}};
    Subset op{"Operating Cost", Colour{151, 6, 46}, {}};
    for (int y = 0; y < years; ++y) {
        c.pointLabels.push_back(std::to_string(y));
        inv.values.push_back(y == 0 ? 1450000.0
                                    : (y % 20 == 0 ? 380000.0 : (y % 10 ? 0 : 95000.0)));
        op.values.push_back(y == 0 ? 0.0 : std::round(61000.0 * std::pow(1.02, y)));
    }
    c.subsets = {inv, op};
    c.yMin = 0;
    c.yMax = 1450000.0 * 1.2;
    c.barFill = 0.7;
    return c;
}

// One present-worth line per case.
inline graph::Chart profileLines(int cases, int years) {
    using namespace qvc::graph;
    Chart c;
    c.kind = ChartKind::Line;
    c.xAxisLabel = "Year";
    c.yAxisLabel = "Cumulative Present Worth ($)";
    c.showLegend = true;
    for (int y = 0; y <= years; ++y)
        c.pointLabels.push_back(std::to_string(y));
    c.yMin = c.yMax = 0;
    for (int k = 0; k < cases; ++k) {
        Subset s{"Case " + std::to_string(k + 1), seriesPalette()[k % kSeriesColours], {}};
        double sum = 0;
        for (int y = 0; y <= years; ++y) {
            sum += y == 0 ? 300000.0 + 40000.0 * k : (52000.0 - 1500.0 * k) * std::pow(0.95, y);
            s.values.push_back(std::round(sum));
            c.yMax = std::max(*c.yMax, std::round(sum) * 1.2);
        }
        c.subsets.push_back(s);
    }
    return c;
}

struct DecodedPng {
    bool ok = false;  // the loader accepted the file
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;  // row after row, 0x00RRGGBB
};
inline DecodedPng decodePng(const std::vector<uint8_t>& png) {
    struct Reader {
        const std::vector<uint8_t>& data;
        size_t pos = 0;
    } reader{png};
    const auto read = [](void* closure, unsigned char* out, unsigned int length) {
        auto* r = static_cast<Reader*>(closure);
        if (r->pos + length > r->data.size())
            return CAIRO_STATUS_READ_ERROR;
        std::copy_n(r->data.begin() + static_cast<long>(r->pos), length, out);
        r->pos += length;
        return CAIRO_STATUS_SUCCESS;
    };
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(read, &reader);
    DecodedPng d;
    d.ok = cairo_surface_status(s) == CAIRO_STATUS_SUCCESS;
    d.width = d.ok ? cairo_image_surface_get_width(s) : 0;
    d.height = d.ok ? cairo_image_surface_get_height(s) : 0;
    for (int y = 0; y < d.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s) +
                                                            static_cast<size_t>(y) *
                                                                cairo_image_surface_get_stride(s));
        for (int x = 0; x < d.width; ++x)
            d.rgb.push_back(row[x] & 0xFFFFFFu);
    }
    cairo_surface_destroy(s);
    return d;
}

}  // namespace qvc::test
