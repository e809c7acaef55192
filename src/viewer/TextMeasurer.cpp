#include "TextMeasurer.h"

#include <QTextLayout>

namespace qvc::viewer {

namespace {

QString familyOf(const std::string& name) {
    // The reports ask for Arial; Liberation Sans has the same widths.
    if (name.empty() || name == "Arial") {
        return QStringLiteral("Liberation Sans");
    }
    return QString::fromStdString(name);
}

}  // namespace

TextMeasurer::TextMeasurer() : reference_(1, 1, QImage::Format_RGB32) {
    const int dotsPerMeter = static_cast<int>(kReferenceDpi / 0.0254 + 0.5);
    reference_.setDotsPerMeterX(dotsPerMeter);
    reference_.setDotsPerMeterY(dotsPerMeter);
}

QFont TextMeasurer::layoutFont(const doc::CharFormat& format) {
    QFont font(familyOf(format.font));
    font.setPointSizeF(format.halfPoints / 2.0);
    font.setBold(format.bold);
    font.setItalic(format.italic);
    font.setUnderline(format.underline);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

QFont TextMeasurer::drawingFont(const doc::CharFormat& format, double dpi) {
    QFont font = layoutFont(format);
    // The painter's unit is one point; Qt turns point sizes into device units
    // with the device's resolution, so the size is given in "device points".
    font.setPointSizeF(format.halfPoints / 2.0 * 72.0 / dpi);
    return font;
}

const QFontMetricsF& TextMeasurer::metrics(const doc::CharFormat& format) {
    Key key{format.font, format.halfPoints, format.bold, format.italic, format.underline};
    auto it = cache_.find(key);
    if (it == cache_.end()) {
        it = cache_.emplace(key, QFontMetricsF(layoutFont(format), &reference_)).first;
    }
    return it->second;
}

double TextMeasurer::tabUnitDots() {
    if (tabUnit_ == 0) {
        constexpr double kProbeStop = 1000;
        QTextLayout probe(QStringLiteral("\t"), layoutFont(doc::CharFormat{}), &reference_);
        QTextOption options;
        options.setTabStopDistance(kProbeStop);
        probe.setTextOption(options);
        probe.beginLayout();
        QTextLine line = probe.createLine();
        line.setLineWidth(100 * kProbeStop * kReferenceDpi);
        probe.endLayout();
        tabUnit_ = line.cursorToX(1) / kProbeStop;
    }
    return tabUnit_;
}

double TextMeasurer::width(const QString& text, const doc::CharFormat& format) {
    return metrics(format).horizontalAdvance(text) * kPointsPerDot;
}

double TextMeasurer::ascent(const doc::CharFormat& format) {
    return metrics(format).ascent() * kPointsPerDot;
}

double TextMeasurer::descent(const doc::CharFormat& format) {
    return metrics(format).descent() * kPointsPerDot;
}

double TextMeasurer::lineHeight(const doc::CharFormat& format) {
    return metrics(format).lineSpacing() * kPointsPerDot;
}

}  // namespace qvc::viewer
