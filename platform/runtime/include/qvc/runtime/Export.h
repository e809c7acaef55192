#pragma once
// libqvc_runtime is built with hidden symbols: QVC_RUNTIME_EXPORT marks the classes and
// functions its public headers declare for the other libraries and the host.

#define QVC_RUNTIME_EXPORT __attribute__((visibility("default")))
