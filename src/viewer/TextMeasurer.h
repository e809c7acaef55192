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
    TextMeasurer();

    double width(const QString& text, const doc::CharFormat& format);
    double ascent(const doc::CharFormat& format);
    double descent(const doc::CharFormat& format);
    double lineHeight(const doc::CharFormat& format);  // ascent + descent + leading

    // The font for drawing `format` on a device of `dpi` dots per inch whose
    // painter maps one unit to one point (see PagePainter).
    static QFont drawingFont(const doc::CharFormat& format, double dpi);
    static QFont layoutFont(const doc::CharFormat& format);

  private:
    using Key = std::tuple<std::string, int32_t, bool, bool, bool>;
    const QFontMetricsF& metrics(const doc::CharFormat& format);

    QImage reference_;
    std::map<Key, QFontMetricsF> cache_;
};

}  // namespace qvc::viewer
