// The module's configuration store: the records the rest of the module works
// on, the load and the saves. Every operation reads its file once, applies
// all of its writes in memory and saves once.
//
// Nothing here may throw into the simulator: an allocation failure during a
// load leaves the defaults, during a save leaves the file as it was.
#include "setup/configuration_store.h"

#include <cstring>

#include "setup/configuration.h"

ModuleSettings gModuleSettings = kDefaultModuleSettings;
AxisCalibration gAxisCalibration[kAxisCount];
ButtonAssignment gButtonAssignments[kButtonCount];
DefaultEyePoint gDefaultEyePoint;
char gSettingsPath[kConfigPathChars];
char gMarkerPath[kConfigPathChars];
ConfigFileOps gConfigFileOps;
const char* gUnsavedFile;

namespace {

void LoadDefaults() {
  gModuleSettings = kDefaultModuleSettings;
  std::memset(gButtonAssignments, 0, sizeof gButtonAssignments);
  std::memset(&gDefaultEyePoint, 0, sizeof gDefaultEyePoint);
  for (EyePointText& axis : gDefaultEyePoint.axis) {
    axis.integerText[0] = '0';
    axis.fractionText[0] = '0';
  }
}

template <typename BuildWrites>
bool Update(const char* path, BuildWrites build) {
  bool saved = false;
  try {
    saved = UpdateConfigFile(gConfigFileOps, path, build());
  } catch (...) {
    // Out of memory: the file keeps its old content.
  }
  if (!saved && gUnsavedFile == nullptr) gUnsavedFile = path;
  return saved;
}

}  // namespace

void ReadConfiguration(const char* aircraftTitle) {
  std::memset(gButtonAssignments, 0, sizeof gButtonAssignments);
  try {
    IniDocument doc;
    ReadConfigFile(gConfigFileOps, gSettingsPath, &doc);
    ReadModuleSettings(doc, &gModuleSettings);
    ReadButtonAssignments(doc, gButtonAssignments);
    ReadDefaultEyePoint(doc, aircraftTitle != nullptr ? aircraftTitle : "", &gDefaultEyePoint);
  } catch (...) {
    LoadDefaults();
  }
}

bool SetCalibrationFlag(int value) {
  gUnsavedFile = nullptr;
  // The server reads the flag from the marker file: it is written even when
  // the settings file could not be.
  const bool settings = Update(gSettingsPath, [&] { return CalibrationFlagWrites(value); });
  const bool marker = Update(gMarkerPath, [&] { return CalibrationFlagWrites(value); });
  return settings && marker;
}

bool SaveSettings() {
  gUnsavedFile = nullptr;
  const bool settings = Update(gSettingsPath, [] { return SettingsWrites(gModuleSettings); });
  const bool marker = Update(gMarkerPath, [] { return ChangedFlagWrites(); });
  return settings && marker;
}

bool SaveCalibration() {
  gUnsavedFile = nullptr;
  return Update(gSettingsPath, [] { return CalibrationWrites(gAxisCalibration); });
}

bool SaveButtonAssignments() {
  gUnsavedFile = nullptr;
  return Update(gSettingsPath, [] { return ButtonAssignmentWrites(gButtonAssignments); });
}

bool SaveDefaultEyePoint(const char* section, const char* const texts[kEyePointTextCount]) {
  gUnsavedFile = nullptr;
  if (texts == nullptr) {
    gUnsavedFile = gSettingsPath;
    return false;
  }
  return Update(gSettingsPath, [&] { return DefaultEyePointWrites(section != nullptr ? section : "", texts); });
}
