// Loading and saving the configuration records through an IniDocument. The
// key orders here are those the files have always been written in: a new
// key lands after the keys already written, so the order shows in the file.
#include "setup/configuration.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <system_error>

namespace {

constexpr char kEyeTextDefault[] = "0";

// Each axis's SETTINGS field, for the tables below.
enum AxisField { kFieldSensitivity, kFieldNullZone, kFieldEnabled, kFieldInvert };

int32_t* FieldOf(AxisSettings* axis, AxisField field) {
  switch (field) {
    case kFieldSensitivity: return &axis->sensitivity;
    case kFieldNullZone: return &axis->nullzone;
    case kFieldEnabled: return &axis->enabled;
    case kFieldInvert: return &axis->invert;
  }
  return &axis->sensitivity;
}

const char* const* KeysOf(AxisField field) {
  switch (field) {
    case kFieldSensitivity: return kKeySensitivity;
    case kFieldNullZone: return kKeyNullZone;
    case kFieldEnabled: return kKeyEnabled;
    case kFieldInvert: return kKeyInvert;
  }
  return kKeySensitivity;
}

// SaveSettings has always written the rotations before the translations.
constexpr Axis kSaveAxisOrder[kAxisCount] = {kAxisRX, kAxisRY, kAxisRZ, kAxisTX, kAxisTY, kAxisTZ};

// The nine Button_N keys in the order both load and save use.
struct ButtonKey {
  const char* name;
  int32_t ButtonAssignment::*field;
};
constexpr ButtonKey kButtonKeys[] = {
    {kKeyAssigned, &ButtonAssignment::assigned},
    {kKeyKeycode, &ButtonAssignment::keycode},
    {kKeyKeypress, &ButtonAssignment::keypress},
    {kKeyResetAll, &ButtonAssignment::resetall},
    {kKeyResetRotation, &ButtonAssignment::resetrotation},
    {kKeyResetTranslation, &ButtonAssignment::resettranslation},
    {kKeyWithAlt, &ButtonAssignment::withalt},
    {kKeyWithCtrl, &ButtonAssignment::withctrl},
    {kKeyWithShift, &ButtonAssignment::withshift},
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// strtod's reading of a decimal number, without its locale dependence (the
// simulator may have changed the C locale) and without the hexadecimal,
// infinity and NaN forms that the old C runtimes never accepted.
double DecimalPrefixValue(const char* text) {
  const char* p = text;
  while (IsSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  const char* digits = p;
  int integerDigits = 0;       // without leading zeros
  int leadingFractionZeros = 0;
  bool nonzeroSeen = false;
  bool anyDigit = false;
  for (; IsDigit(*p); ++p) {
    anyDigit = true;
    if (*p != '0') nonzeroSeen = true;
    if (nonzeroSeen) ++integerDigits;
  }
  if (*p == '.') {
    ++p;
    for (; IsDigit(*p); ++p) {
      anyDigit = true;
      if (*p != '0') nonzeroSeen = true;
      if (!nonzeroSeen) ++leadingFractionZeros;
    }
  }
  if (!anyDigit) return 0.0;
  long exponent = 0;
  if (*p == 'e' || *p == 'E') {
    const char* e = p + 1;
    bool negativeExponent = false;
    if (*e == '+' || *e == '-') negativeExponent = *e++ == '-';
    if (IsDigit(*e)) {
      for (; IsDigit(*e); ++e) {
        if (exponent < 100000) exponent = exponent * 10 + (*e - '0');
      }
      if (negativeExponent) exponent = -exponent;
      p = e;
    }
  }
  double value = 0.0;
  const std::from_chars_result result = std::from_chars(digits, p, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Beyond the double range: strtod's HUGE_VAL for large magnitudes, zero
    // for tiny ones.
    const long magnitude = exponent + (integerDigits > 0 ? integerDigits : -leadingFractionZeros);
    value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

float ToFloat(double value) {
  // 2^128 and beyond have no float neighbour below infinity: saturate
  // explicitly instead of relying on the conversion.
  constexpr double kFloatLimit = 340282366920938463463374607431768211456.0;
  if (value >= kFloatLimit) return std::numeric_limits<float>::infinity();
  if (value <= -kFloatLimit) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

std::string UnsignedText(uint32_t value) {
  char text[16];
  const std::to_chars_result r = std::to_chars(text, text + sizeof text, value);
  return std::string(text, r.ptr);
}

// The calibration keys hold magnitudes; INT32_MIN has one (2147483648)
// that no int32_t can hold, so take it in unsigned arithmetic.
std::string MagnitudeText(int32_t value) {
  const uint32_t bits = static_cast<uint32_t>(value);
  return UnsignedText(value < 0 ? 0u - bits : bits);
}

void Add(IniWriteList* writes, std::string_view section, const char* key, std::string value) {
  writes->push_back(IniWrite{std::string(section), key, std::move(value)});
}

}  // namespace

std::string ButtonSectionName(int n) {
  char name[32];
  std::snprintf(name, sizeof name, kButtonSectionFormat, n);
  return name;
}

std::string IntText(int32_t value) {
  char text[16];
  const std::to_chars_result r = std::to_chars(text, text + sizeof text, value);
  return std::string(text, r.ptr);
}

void ReadModuleSettings(const IniDocument& doc, ModuleSettings* settings) {
  const ModuleSettings& d = kDefaultModuleSettings;
  settings->quorixmode = ReadIniInt(doc, kSectionSettings, kKeyQuorixMode, d.quorixmode);
  for (AxisField field : {kFieldSensitivity, kFieldNullZone}) {
    for (int a = 0; a < kAxisCount; ++a) {
      AxisSettings defaults = d.axis[a];
      *FieldOf(&settings->axis[a], field) =
          ReadIniInt(doc, kSectionSettings, KeysOf(field)[a], *FieldOf(&defaults, field));
    }
  }
  settings->useonslew = ReadIniInt(doc, kSectionSettings, kKeyUseOnSlew, d.useonslew);
  for (AxisField field : {kFieldEnabled, kFieldInvert}) {
    for (int a = 0; a < kAxisCount; ++a) {
      AxisSettings defaults = d.axis[a];
      *FieldOf(&settings->axis[a], field) =
          ReadIniInt(doc, kSectionSettings, KeysOf(field)[a], *FieldOf(&defaults, field));
    }
  }
}

void ReadButtonAssignments(const IniDocument& doc, ButtonAssignment* table) {
  std::memset(table, 0, sizeof(ButtonAssignment) * kButtonCount);
  for (int n = 0; n < kButtonCount; ++n) {
    const std::string section = ButtonSectionName(n);
    for (const ButtonKey& key : kButtonKeys) table[n].*key.field = ReadIniInt(doc, section, key.name, 0);
  }
}

void ReadDefaultEyePoint(const IniDocument& doc, std::string_view section, DefaultEyePoint* eye) {
  std::memset(eye, 0, sizeof *eye);
  for (int a = 0; a < kEyeAxisCount; ++a) {
    EyePointText& axis = eye->axis[a];
    ReadIniString(doc, section, kKeyEyeInteger[a], kEyeTextDefault, axis.integerText, kEyePointTextSize);
    ReadIniString(doc, section, kKeyEyeFraction[a], kEyeTextDefault, axis.fractionText, kEyePointTextSize);
    axis.value = EyePointValue(axis.integerText, axis.fractionText);
  }
}

float EyePointValue(const char* integerText, const char* fractionText) {
  char scratch[kEyePointScratchChars];
  std::snprintf(scratch, sizeof scratch, "%s.%s", integerText ? integerText : "",
                fractionText ? fractionText : "");
  return ToFloat(DecimalPrefixValue(scratch));
}

IniWriteList CalibrationFlagWrites(int value) {
  IniWriteList writes;
  Add(&writes, kSectionSettings, kKeyDoingCalibration, IntText(value));
  return writes;
}

IniWriteList SettingsWrites(const ModuleSettings& settings) {
  IniWriteList writes;
  writes.reserve(26);
  Add(&writes, kSectionSettings, kKeyQuorixMode, IntText(settings.quorixmode));
  for (AxisField field : {kFieldSensitivity, kFieldNullZone, kFieldEnabled}) {
    for (Axis a : kSaveAxisOrder) {
      AxisSettings axis = settings.axis[a];
      Add(&writes, kSectionSettings, KeysOf(field)[a], IntText(*FieldOf(&axis, field)));
    }
  }
  Add(&writes, kSectionSettings, kKeyUseOnSlew, IntText(settings.useonslew));
  for (Axis a : kSaveAxisOrder) Add(&writes, kSectionSettings, kKeyInvert[a], IntText(settings.axis[a].invert));
  return writes;
}

IniWriteList ChangedFlagWrites() {
  IniWriteList writes;
  Add(&writes, kSectionSettings, kKeyChanged, IntText(0));
  return writes;
}

IniWriteList CalibrationWrites(const AxisCalibration* calibration) {
  IniWriteList writes;
  writes.reserve(2 * kAxisCount);
  for (Axis a : kSaveAxisOrder) {
    Add(&writes, kSectionCalibration, kKeyCalibrationMin[a], MagnitudeText(calibration[a].minimum));
    Add(&writes, kSectionCalibration, kKeyCalibrationMax[a], MagnitudeText(calibration[a].maximum));
  }
  return writes;
}

IniWriteList ButtonAssignmentWrites(const ButtonAssignment* table) {
  IniWriteList writes;
  writes.reserve(kButtonCount * (sizeof kButtonKeys / sizeof kButtonKeys[0]));
  for (int n = 0; n < kButtonCount; ++n) {
    const std::string section = ButtonSectionName(n);
    for (const ButtonKey& key : kButtonKeys) Add(&writes, section, key.name, IntText(table[n].*key.field));
  }
  return writes;
}

IniWriteList DefaultEyePointWrites(std::string_view section, const char* const texts[kEyePointTextCount]) {
  IniWriteList writes;
  writes.reserve(kEyePointTextCount);
  for (int a = 0; a < kEyeAxisCount; ++a) {
    const char* integerText = texts[2 * a];
    const char* fractionText = texts[2 * a + 1];
    Add(&writes, section, kKeyEyeInteger[a], integerText ? integerText : "");
    Add(&writes, section, kKeyEyeFraction[a], fractionText ? fractionText : "");
  }
  return writes;
}
