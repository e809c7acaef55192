#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "PngEncoder.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::graph::detail {

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
    measuredBytes_ += text.size();
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

namespace {

// The length of the UTF-8 character that starts with `lead`.
size_t characterLength(unsigned char lead) {
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

void dropLastCharacter(std::string& s) {
    while (!s.empty() && (static_cast<unsigned char>(s.back()) & 0xC0) == 0x80) {
        s.pop_back();
    }
    if (!s.empty()) {
        s.pop_back();
    }
}

}  // namespace

std::string Canvas::fit(const std::string& text, double maxWidth) {
    static const std::string kEllipsis = "...";
    // Labels the chart can show in full are the common case.
    if (text.size() <= kFitWholeBytes && measure(text).width <= maxWidth) {
        return text;
    }
    // Characters are taken one by one while they fit with the ellipsis, so the
    // work grows with what is shown, not with the square of the text's length.
    const double room = maxWidth - measure(kEllipsis).width;
    std::string cut;
    double used = 0;
    for (size_t pos = 0; pos < text.size();) {
        const size_t n =
            std::min(characterLength(static_cast<unsigned char>(text[pos])), text.size() - pos);
        const std::string ch = text.substr(pos, n);
        const double w = measure(ch).width;
        if (used + w > room) {
            break;
        }
        cut += ch;
        used += w;
        pos += n;
    }
    if (cut.size() == text.size() && measure(text).width <= maxWidth) {
        return text;  // a long text that fits after all
    }
    // The advances of single characters may add up a little differently from
    // the measured run; a few characters less make up for that.
    while (!cut.empty() && measure(cut + kEllipsis).width > maxWidth) {
        dropLastCharacter(cut);
    }
    if (cut.empty()) {
        return measure(kEllipsis).width <= maxWidth ? kEllipsis : "";
    }
    return cut + kEllipsis;
}

void Canvas::colour(const Colour& c) {
    cairo_set_source_rgb(cr_, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

void Canvas::grey(double level) {
    cairo_set_source_rgb(cr_, level, level, level);
}

std::vector<uint8_t> Canvas::png() {
    cairo_surface_flush(surface_);
    return encodePng(
        cairo_image_surface_get_data(surface_), cairo_image_surface_get_width(surface_),
        cairo_image_surface_get_height(surface_), cairo_image_surface_get_stride(surface_));
}

}  // namespace qvc::graph::detail
