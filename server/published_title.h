// The title of the server's window, which the module reads every tick: one
// processed (or, while a calibration runs, raw) reading. Portable: no
// Windows header.
#pragma once
#include <cstddef>

#include "server/axis_processing.h"

// What the window shows now.
struct ShownTitle {
  bool any;  // false before the first title
  PublishedFrame frame;
  bool raw;
};

// Writes the title for `frame` into `title` (kTitleBufferSize holds it) and
// returns true, or returns false when the window already shows it: a title
// is set again only when its values or its raw mark change.
bool NextTitle(ShownTitle* shown, const PublishedFrame& frame, bool raw, char* title, size_t capacity);
