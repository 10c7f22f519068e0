// End-to-end cases that feed the real pivora.dll device readings through a
// "pivoraserver" window's title and watch what reaches the SimConnect double.
#pragma once
#include <cstdio>

#include "module/title_format.h"
#include "tests/wine/common/wine_helpers.h"
#include "tests/wine/spine/spine_fixture.h"

class CameraCase : public SimulatorCase {
 protected:
  // Writes pivora.ini before the module starts; the module reads it at start.
  void WriteSettings(const std::string& text) { appData.Put("pivora.ini", text); }
  void Start(const SimHostOptions& options = SimHostOptions()) {
    SetUpHost(options);
    SimHostStart(&host);
  }
  void Feed(const int32_t (&axes)[6], int32_t button = 0) {
    char title[256];
    FormatDeviceTitle(axes, button, title, sizeof title);
    SimHostSetServerTitle(&host, title);
  }
  static std::vector<std::string> CameraCalls() { return DoubleCallsStartingWith("CameraSetRelative6DOF"); }
  static std::vector<std::string> SlewEvents() { return DoubleCallsStartingWith("TransmitClientEvent"); }
  static bool PumpUntilCameraCalls(size_t count, DWORD maxMs = 5000) {
    return SimHostPumpUntil(maxMs, [count] { return CameraCalls().size() >= count; });
  }
  static std::string Camera(float x, float y, float z, float pitch, float bank, float heading) {
    char text[256];
    std::snprintf(text, sizeof text, "CameraSetRelative6DOF(H, %.9g, %.9g, %.9g, %.9g, %.9g, %.9g)",
                  double(x), double(y), double(z), double(pitch), double(bank), double(heading));
    return text;
  }

  AppDataFolder appData;
};
