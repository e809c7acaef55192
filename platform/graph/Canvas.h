#pragma once
// A thin layer over a cairo image surface that works in points: the surface has
// dpi/72 pixels per point, text is measured and drawn in points, optionally
// rotated about its anchor. The pixels live in memory the thread reuses from
// one canvas to the next (a canvas made while another is alive gets its own):
// fresh megabytes for every chart cost more in page faults than the drawing.

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "qvc/graph/Chart.h"

namespace qvc::graph::detail {

struct TextSize {
    double width = 0;
    double height = 0;  // ascent + descent of the font, not of the glyphs
};

// Pixel words that are written before they are read, so never cleared.
class PixelMemory {
  public:
    uint32_t* reserve(size_t words);

  private:
    struct FreeDeleter {
        void operator()(uint32_t* words) const;
    };
    std::unique_ptr<uint32_t, FreeDeleter> words_;
    size_t size_ = 0;
};

enum class Anchor { TopLeft, TopCentre, TopRight, MiddleLeft, MiddleRight, Centre, BottomCentre };

class Canvas {
  public:
    Canvas(double widthPt, double heightPt, int dpi, std::string family);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() { return cr_; }
    int pixelWidth() const { return pixelWidth_; }
    int pixelHeight() const { return pixelHeight_; }

    void setFont(double sizePt, bool bold);
    TextSize measure(const std::string& text);
    // Draws text so that `anchor` of its box lies at (x, y); `degrees` turns it
    // counter-clockwise about that point.
    void text(const std::string& text, double x, double y, Anchor anchor, double degrees = 0);
    // The text cut to fit `maxWidth`, with "..." when it had to be shortened.
    // Linear in the length of the text.
    std::string fit(const std::string& text, double maxWidth);
    // Bytes of text measured so far: the work text layout has done.
    size_t measuredBytes() const { return measuredBytes_; }

    void colour(const Colour& c);
    void grey(double level);
    // The picture as PNG. The encoder works in the canvas's pixel memory, so
    // this is the last thing done with a canvas (a second call raises 51).
    std::vector<uint8_t> png();

  private:
    uint32_t* pixelMemory(size_t words);
    void releasePixels();

    PixelMemory ownPixels_;
    bool leased_ = false;
    bool encoded_ = false;
    cairo_surface_t* surface_;
    cairo_t* cr_;
    std::string family_;
    int pixelWidth_;
    int pixelHeight_;
    size_t measuredBytes_ = 0;
    // Texts up to this length are first measured whole.
    static constexpr size_t kFitWholeBytes = 4096;
};

}  // namespace qvc::graph::detail
