// Setting a window title is a cross-process message to every reader, so
// the server sets it only when what it says changes.

#include "server/published_title.h"

#include <cstring>

#include "module/title_format.h"

bool NextTitle(ShownTitle* shown, const PublishedFrame& frame, bool raw, char* title, size_t capacity) {
  const bool same = shown->any && std::memcmp(&frame, &shown->frame, sizeof frame) == 0;
  if (same && shown->raw == raw) return false;
  shown->any = true;
  shown->frame = frame;
  shown->raw = raw;
  // The mark tells the calibration dialog which readings are raw, so that
  // none published before this server noticed the calibration enters a range.
  FormatDeviceTitle(frame.axis, frame.button, title, capacity, raw);
  return true;
}
