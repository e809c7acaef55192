#include "Canvas.h"

#include <sys/mman.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "ChartDrawingFonts.h"
#include "PngEncoder.h"
#include "qvc/runtime/Error.h"
#include "qvc/runtime/ErrorNumbers.h"

namespace qvc::graph::detail {

namespace {

struct ThreadPixels {
    PixelMemory memory;
    bool inUse = false;
};

ThreadPixels& threadPixels() {
    thread_local ThreadPixels pixels;
    return pixels;
}

}  // namespace

// Pixel memory comes in whole 2 MB pages, marked for transparent huge pages
// where the kernel offers them: a chart's few megabytes are then a handful of
// page faults instead of a thousand.
constexpr size_t kHugePage = size_t{2} << 20;

void PixelMemory::FreeDeleter::operator()(uint32_t* words) const {
    std::free(words);
}

uint32_t* PixelMemory::reserve(size_t words) {
    if (words > size_) {
        const size_t bytes = (words * sizeof(uint32_t) + kHugePage - 1) / kHugePage * kHugePage;
        words_.reset(static_cast<uint32_t*>(std::aligned_alloc(kHugePage, bytes)));
        if (!words_) {
            size_ = 0;
            throw rt::Error(rt::err::kOutOfMemory, "Cannot create the chart picture");
        }
        madvise(words_.get(), bytes, MADV_HUGEPAGE);  // only advice: failure is harmless
        size_ = bytes / sizeof(uint32_t);
    }
    return words_.get();
}

uint32_t* Canvas::pixelMemory(size_t words) {
    ThreadPixels& shared = threadPixels();
    PixelMemory& memory = shared.inUse ? ownPixels_ : shared.memory;
    leased_ = !shared.inUse;
    shared.inUse = true;
    return memory.reserve(words);
}

Canvas::Canvas(double widthPt, double heightPt, int dpi, std::string family)
    : family_(std::move(family)) {
    double scale = dpi / 72.0;
    pixelWidth_ = static_cast<int>(std::lround(widthPt * scale));
    pixelHeight_ = static_cast<int>(std::lround(heightPt * scale));
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, pixelWidth_);
    const size_t words = static_cast<size_t>(stride / 4) * static_cast<size_t>(pixelHeight_);
    uint32_t* memory = pixelMemory(words);
    // A white background: cairo's RGB24 keeps 0x00RRGGBB in native-endian words.
    std::fill_n(memory, words, 0x00FFFFFFu);
    surface_ =
        cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(memory),
                                            CAIRO_FORMAT_RGB24, pixelWidth_, pixelHeight_, stride);
    cr_ = cairo_create(surface_);
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
        cairo_destroy(cr_);
        cairo_surface_destroy(surface_);
        releasePixels();
        throw rt::Error(rt::err::kOutOfMemory, "Cannot create the chart picture");
    }
    cairo_scale(cr_, scale, scale);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr_, options);
    cairo_font_options_destroy(options);
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
    releasePixels();
}

void Canvas::releasePixels() {
    if (leased_) {
        threadPixels().inUse = false;
        leased_ = false;
    }
}

void Canvas::setFont(double sizePt, bool bold) {
    if (cairo_font_face_t* face = ChartDrawingFonts::face(family_, bold)) {
        cairo_set_font_face(cr_, face);
    } else {
        cairo_select_font_face(cr_, family_.c_str(), CAIRO_FONT_SLANT_NORMAL,
                               bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    }
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
    if (encoded_) {
        throw rt::Error(rt::err::kInternal, "The chart picture was already encoded");
    }
    encoded_ = true;
    cairo_surface_flush(surface_);
    return encodePng(
        cairo_image_surface_get_data(surface_), cairo_image_surface_get_width(surface_),
        cairo_image_surface_get_height(surface_), cairo_image_surface_get_stride(surface_));
}

}  // namespace qvc::graph::detail
