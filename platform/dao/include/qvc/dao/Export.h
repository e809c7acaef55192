#pragma once
// libqvc_dao is built with hidden symbols: QVC_DAO_EXPORT marks the classes and
// functions its public headers declare for the other libraries and the host.

#define QVC_DAO_EXPORT __attribute__((visibility("default")))
