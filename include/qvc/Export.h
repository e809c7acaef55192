#pragma once
// Marks the classes and functions that the shared library qvcomponents exports.
// Everything else in the component is hidden.

#if defined(QVC_BUILDING_LIBRARY)
#define QVC_EXPORT __attribute__((visibility("default")))
#else
#define QVC_EXPORT __attribute__((visibility("default")))
#endif
