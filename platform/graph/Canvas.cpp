#include "Canvas.h"

#include <png.h>

#include <csetjmp>

#include <cmath>
#include <numbers>

#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::graph::detail {

namespace {}  // namespace

Canvas::Canvas(double widthPt, double heightPt, int dpi, std::string family)
    : family_(std::move(family)) {
    double scale = dpi / 72.0;
    pixelWidth_ = static_cast<int>(std::lround(widthPt * scale));
    pixelHeight_ = static_cast<int>(std::lround(heightPt * scale));
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, pixelWidth_, pixelHeight_);
    cr_ = cairo_create(surface_);
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
        cairo_destroy(cr_);
        cairo_surface_destroy(surface_);
        throw rt::Error(rt::err::kOutOfMemory, "Cannot create the chart picture");
    }
    cairo_scale(cr_, scale, scale);
    cairo_set_source_rgb(cr_, 1, 1, 1);
    cairo_paint(cr_);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr_, options);
    cairo_font_options_destroy(options);
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

void Canvas::setFont(double sizePt, bool bold) {
    cairo_select_font_face(cr_, family_.c_str(), CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, sizePt);
}

TextSize Canvas::measure(const std::string& text) {
    cairo_text_extents_t te;
    cairo_font_extents_t fe;
    cairo_text_extents(cr_, text.c_str(), &te);
    cairo_font_extents(cr_, &fe);
    return {te.x_advance, fe.ascent + fe.descent};
}

void Canvas::text(const std::string& text, double x, double y, Anchor anchor, double degrees) {
    cairo_font_extents_t fe;
    cairo_font_extents(cr_, &fe);
    double w = measure(text).width;
    double h = fe.ascent + fe.descent;
    double dx = 0;
    double dy = 0;
    switch (anchor) {
        case Anchor::TopLeft:
            break;
        case Anchor::TopCentre:
            dx = -w / 2;
            break;
        case Anchor::TopRight:
            dx = -w;
            break;
        case Anchor::MiddleLeft:
            dy = -h / 2;
            break;
        case Anchor::MiddleRight:
            dx = -w;
            dy = -h / 2;
            break;
        case Anchor::Centre:
            dx = -w / 2;
            dy = -h / 2;
            break;
        case Anchor::BottomCentre:
            dx = -w / 2;
            dy = -h;
            break;
    }
    cairo_save(cr_);
    cairo_translate(cr_, x, y);
    cairo_rotate(cr_, -degrees * std::numbers::pi / 180.0);
    cairo_move_to(cr_, dx, dy + fe.ascent);
    cairo_show_text(cr_, text.c_str());
    cairo_restore(cr_);
}

std::string Canvas::fit(const std::string& text, double maxWidth) {
    if (measure(text).width <= maxWidth) {
        return text;
    }
    std::string cut = text;
    while (!cut.empty()) {
        // drop the last UTF-8 character: its continuation bytes, then its first byte
        while (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xC0) == 0x80) {
            cut.pop_back();
        }
        if (!cut.empty()) {
            cut.pop_back();
        }
        if (measure(cut + "...").width <= maxWidth) {
            return cut + "...";
        }
    }
    return "";
}

void Canvas::colour(const Colour& c) {
    cairo_set_source_rgb(cr_, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

void Canvas::grey(double level) {
    cairo_set_source_rgb(cr_, level, level, level);
}

// Charts are large flat areas of few colours: the fastest zlib level with the
// "Sub" row filter gives files about as small as the default settings at a
// fraction of the time, which matters when a report holds dozens of charts.
std::vector<uint8_t> Canvas::png() {
    cairo_surface_flush(surface_);
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (png == nullptr || info == nullptr) {
        png_destroy_write_struct(&png, &info);
        throw rt::Error(rt::err::kOutOfMemory, "Cannot encode the chart picture as PNG");
    }
    const int width = cairo_image_surface_get_width(surface_);
    const int height = cairo_image_surface_get_height(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    std::vector<png_byte> row(static_cast<size_t>(width) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw rt::Error(rt::err::kInternal, "Cannot encode the chart picture as PNG");
    }
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep bytes, png_size_t n) {
            auto* buffer = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
            buffer->insert(buffer->end(), bytes, bytes + n);
        },
        nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        // RGB24 pixels are native-endian 32-bit words 0x00RRGGBB.
        const auto* pixels =
            reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x) {
            const uint32_t v = pixels[x];
            row[static_cast<size_t>(x) * 3] = static_cast<png_byte>((v >> 16) & 0xff);
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<png_byte>((v >> 8) & 0xff);
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<png_byte>(v & 0xff);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace qvc::graph::detail
