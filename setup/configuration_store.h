// The module's configuration in memory and the only operations that touch
// the configuration files. Runs on the simulator's thread only.
#pragma once
#include "setup/configuration_file.h"
#include "setup/configuration_keys.h"
#include "setup/configuration_records.h"

extern ModuleSettings gModuleSettings;  // the defaults until the first load
extern AxisCalibration gAxisCalibration[kAxisCount];
extern ButtonAssignment gButtonAssignments[kButtonCount];
extern DefaultEyePoint gDefaultEyePoint;
// Fixed by each load; empty while the Application Data folder is unknown,
// and then every save fails.
extern char gSettingsPath[kConfigPathChars];  // ...\pivora\pivora.ini
extern char gMarkerPath[kConfigPathChars];    // ...\pivora\somethingchanged.ini

// What every load and save goes through: the platform's file operations
// from the first load on. Before it the paths are empty and no file is
// touched.
extern ConfigFileOps gConfigFileOps;

// Rebuilds the paths (creating the folder when missing) and then reads the
// configuration as ReadConfiguration does.
void LoadConfiguration(const char* aircraftTitle);
// Replaces the settings, the button table and the aircraft's default eye
// point with the settings file's content. Leaves gAxisCalibration alone.
void ReadConfiguration(const char* aircraftTitle);

// Each save below returns true when every file it writes holds the new
// values. On false, gUnsavedFile names the first file that does not, for
// the message that tells the user; a false is never to be taken for a save.
extern const char* gUnsavedFile;

// DoingCalibration = value into SETTINGS of the settings file, then of the
// marker file (both are tried either way).
bool SetCalibrationFlag(int value);
// Every value of gModuleSettings, then Changed = 0 into the marker file.
bool SaveSettings();
// The magnitudes of gAxisCalibration into CALIBRATION.
bool SaveCalibration();
// All 101 entries of gButtonAssignments.
bool SaveButtonAssignments();
// The twelve texts (ipitch, fpitch, ibank, ... fupdown), unchecked, into
// the named section.
bool SaveDefaultEyePoint(const char* section, const char* const texts[kEyePointTextCount]);
