#pragma once
// Font metrics in points for the layout. Text is measured at 1200 dots per inch
// without hinting, so widths scale linearly to any zoom and to the printer.

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QString>
#include <map>
#include <tuple>

#include "qvc/document/Model.h"

namespace qvc::viewer {

class TextMeasurer {
  public:
    // The resolution text is measured at, and the size of one of its dots.
    static constexpr double kReferenceDpi = 1200.0;
    static constexpr double kPointsPerDot = 72.0 / kReferenceDpi;

    TextMeasurer();

    double width(const QString& text, const doc::CharFormat& format);
    double ascent(const doc::CharFormat& format);
    double descent(const doc::CharFormat& format);
    double lineHeight(const doc::CharFormat& format);  // ascent + descent + leading

    // The font for drawing `format` on a device of `dpi` dots per inch whose
    // painter maps one unit to one point (see PagePainter).
    static QFont drawingFont(const doc::CharFormat& format, double dpi);
    static QFont layoutFont(const doc::CharFormat& format);
    // The device a QTextLayout measures on to use these metrics.
    QPaintDevice* device() { return &reference_; }
    // The dots one unit of a QTextOption tab position stands for on device():
    // QTextLayout scales tab positions from the desktop's resolution to the
    // font's, so the unit is measured once with a probe layout.
    double tabUnitDots();

  private:
    using Key = std::tuple<std::string, int32_t, bool, bool, bool>;
    const QFontMetricsF& metrics(const doc::CharFormat& format);

    QImage reference_;
    double tabUnit_ = 0;
    std::map<Key, QFontMetricsF> cache_;
};

}  // namespace qvc::viewer
