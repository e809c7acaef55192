#pragma once
// libqvc_graph is built with hidden symbols: QVC_GRAPH_EXPORT marks the classes and
// functions its public headers declare for the other libraries and the host.

#define QVC_GRAPH_EXPORT __attribute__((visibility("default")))
