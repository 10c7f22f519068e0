// The configuration records as the settings file stores them: what a load
// reads (with its defaults) and the write sequences of every save, each as
// an ordered list of writes that the caller applies to a document and
// saves once. Portable: no Windows header.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "setup/configuration_keys.h"
#include "setup/configuration_records.h"
#include "setup/ini_document.h"

// Scratch size of the "%s.%s" text that an eye point value is read from.
constexpr int kEyePointScratchChars = 200;

// What a load gives for a missing file, section or key; the settings also
// hold these before the first load.
constexpr ModuleSettings kDefaultModuleSettings = {
    0,  // quorixmode
    1,  // useonslew
    {
        {100, 50, 1, 0},  // tX
        {100, 50, 1, 1},  // tY: inverted by default
        {100, 50, 1, 1},  // tZ: inverted by default
        {100, 50, 1, 0},  // rX
        {100, 50, 1, 0},  // rY
        {100, 50, 1, 0},  // rZ
    },
};

// "Button_%d" with n.
std::string ButtonSectionName(int n);

// The integer as "%d" writes it.
std::string IntText(int32_t value);

// SETTINGS into `settings`, with the defaults for whatever is missing.
// Values are kept as read: nothing is range-checked.
void ReadModuleSettings(const IniDocument& doc, ModuleSettings* settings);

// Button_0 to Button_100 into the kButtonCount entries of `table`, every
// field 0 where the file has nothing.
void ReadButtonAssignments(const IniDocument& doc, ButtonAssignment* table);

// The twelve texts of an aircraft's section (default "0", at most 49
// characters each) and the six values made from them.
void ReadDefaultEyePoint(const IniDocument& doc, std::string_view section, DefaultEyePoint* eye);

// The value of integerText "." fractionText, read like strtod in the C
// locale: leading white space, sign, digits, point, fraction, exponent; 0
// when nothing converts. A null text counts as empty.
float EyePointValue(const char* integerText, const char* fractionText);

// The write sequences, in the order the files have always been written.
IniWriteList CalibrationFlagWrites(int value);            // either file
IniWriteList SettingsWrites(const ModuleSettings& settings);  // settings file
IniWriteList ChangedFlagWrites();                          // marker file
IniWriteList CalibrationWrites(const AxisCalibration* calibration);  // kAxisCount records
IniWriteList ButtonAssignmentWrites(const ButtonAssignment* table);  // kButtonCount entries
// texts: ipitch, fpitch, ibank, fbank, iyaw, fyaw, ibackforth, fbackforth,
// ileftright, fleftright, iupdown, fupdown; written unchecked.
IniWriteList DefaultEyePointWrites(std::string_view section, const char* const texts[kEyePointTextCount]);
