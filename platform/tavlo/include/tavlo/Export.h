#pragma once
// libtavlo is built with hidden visibility; TAVLO_EXPORT marks the public
// classes and functions.

#define TAVLO_EXPORT __attribute__((visibility("default")))
