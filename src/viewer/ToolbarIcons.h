#pragma once
// The six toolbar pictures of the report viewer, drawn rather than loaded so
// that the library needs no image files. Qt greys them out for disabled buttons.

#include <QIcon>

namespace qvc::viewer {

enum class ToolbarIcon { Save, Print, Previous, Next, ZoomIn, ZoomOut };

QIcon toolbarIcon(ToolbarIcon which);

}  // namespace qvc::viewer
