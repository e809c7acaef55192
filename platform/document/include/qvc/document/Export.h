#pragma once
// libqvc_document is built with hidden symbols: QVC_DOCUMENT_EXPORT marks the classes and
// functions its public headers declare for the other libraries and the host.

#define QVC_DOCUMENT_EXPORT __attribute__((visibility("default")))
