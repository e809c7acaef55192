#pragma once
// Draws laid-out pages: white paper, shading, pictures, rules and borders, text.
// The same code draws on the screen, into images and onto printers.

#include <QPainter>

#include "qvc/viewer/Export.h"
#include "qvc/viewer/PageLayout.h"

namespace qvc::viewer {

// Draws `page` with its top-left corner at `origin` (device units), `scale`
// device units per point. Lines never get thinner than one device unit, so
// borders stay visible at small zoom.
QVC_VIEWER_EXPORT void paintPage(QPainter& painter, const LaidOutPage& page, QPointF origin,
                                 double scale);

}  // namespace qvc::viewer
