#pragma once
// libqvcviewer is built with hidden symbols: QVC_VIEWER_EXPORT marks the classes and
// functions its public headers declare for the plug-in and the hosts. On a Q_OBJECT
// class it exports the meta-object code moc writes for it as well.

#define QVC_VIEWER_EXPORT __attribute__((visibility("default")))
