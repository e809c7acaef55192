#pragma once
// libqvc_ui is built with hidden symbols: QVC_UI_EXPORT marks the classes and
// functions its public headers declare for the other libraries and the host.

#define QVC_UI_EXPORT __attribute__((visibility("default")))
