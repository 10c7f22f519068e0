// One reading of the controller as the device server publishes it.
#pragma once
#include <cstdint>

struct DeviceFrame {
  // Whole numbers held as 32-bit floats: left/right, forth/back, up/down,
  // pitch, bank, yaw. The order is that of the server's title cells.
  float tX, tY, tZ, rX, rY, rZ;
  int32_t button;  // number of the button held now, 0 for none
  // The server marked the values as raw readings, untouched by settings
  // and calibration: only such readings may enter a calibration range.
  bool raw;
};
