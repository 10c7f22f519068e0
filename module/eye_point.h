// The accumulated eye-point offset that the module sends to the simulator.
#pragma once

struct EyePoint {
  float leftright;  // camera X, device units x 0.0001
  float updown;     // camera Y
  float backforth;  // camera Z
  float pitch;      // degrees
  float bank;       // degrees
  float yaw;        // degrees, sent as heading
};
