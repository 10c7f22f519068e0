// The configuration records against the settings file: which key feeds which
// field with which default, the eye point encoding, and the exact write
// sequence of every save. The key names below are typed out independently
// of setup/configuration_keys.h so that a misspelt constant shows up here.
#include "setup/configuration.h"
#include "tests/native/parse_ini.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

// Every ModuleSettings field with its key and default as the settings file
// documents them, in the order a save writes them.
struct SettingsField {
  const char* key;
  int axis;  // -1 for the two global fields
  int32_t AxisSettings::*axisField;
  int32_t ModuleSettings::*globalField;
  int32_t defaultValue;
};
constexpr int32_t AxisSettings::*kSens = &AxisSettings::sensitivity;
constexpr int32_t AxisSettings::*kNull = &AxisSettings::nullzone;
constexpr int32_t AxisSettings::*kEnab = &AxisSettings::enabled;
constexpr int32_t AxisSettings::*kInv = &AxisSettings::invert;
const SettingsField kSettingsFields[] = {
    {"quorixmode", -1, nullptr, &ModuleSettings::quorixmode, 0},
    {"rXsensitivity", 3, kSens, nullptr, 100}, {"rYsensitivity", 4, kSens, nullptr, 100},
    {"rZsensitivity", 5, kSens, nullptr, 100}, {"tXsensitivity", 0, kSens, nullptr, 100},
    {"tYsensitivity", 1, kSens, nullptr, 100}, {"tZsensitivity", 2, kSens, nullptr, 100},
    {"rXnullzone", 3, kNull, nullptr, 50},     {"rYnullzone", 4, kNull, nullptr, 50},
    {"rZnullzone", 5, kNull, nullptr, 50},     {"tXnullzone", 0, kNull, nullptr, 50},
    {"tYnullzone", 1, kNull, nullptr, 50},     {"tZnullzone", 2, kNull, nullptr, 50},
    {"rXenabled", 3, kEnab, nullptr, 1},       {"rYenabled", 4, kEnab, nullptr, 1},
    {"rZenabled", 5, kEnab, nullptr, 1},       {"tXenabled", 0, kEnab, nullptr, 1},
    {"tYenabled", 1, kEnab, nullptr, 1},       {"tZenabled", 2, kEnab, nullptr, 1},
    {"useonslew", -1, nullptr, &ModuleSettings::useonslew, 1},
    {"rXinvert", 3, kInv, nullptr, 0},         {"rYinvert", 4, kInv, nullptr, 0},
    {"rZinvert", 5, kInv, nullptr, 0},         {"tXinvert", 0, kInv, nullptr, 0},
    {"tYinvert", 1, kInv, nullptr, 1},         {"tZinvert", 2, kInv, nullptr, 1},
};

int32_t& FieldOf(ModuleSettings& s, const SettingsField& f) {
  return f.axis < 0 ? s.*f.globalField : s.axis[f.axis].*f.axisField;
}

ModuleSettings SpecDefaults() {
  ModuleSettings s;
  std::memset(&s, 0x55, sizeof s);
  for (const SettingsField& f : kSettingsFields) FieldOf(s, f) = f.defaultValue;
  return s;
}

void ExpectSettingsEqual(ModuleSettings a, ModuleSettings b, const std::string& context) {
  for (const SettingsField& f : kSettingsFields) EXPECT_EQ(FieldOf(a, f), FieldOf(b, f)) << context << ": " << f.key;
}

const char* const kButtonKeysInOrder[] = {"assigned", "keycode", "keypress", "resetall", "resetrotation",
                                          "resettranslation", "withalt", "withctrl", "withshift"};
int32_t ButtonAssignment::*const kButtonFieldsInOrder[] = {
    &ButtonAssignment::assigned,      &ButtonAssignment::keycode,          &ButtonAssignment::keypress,
    &ButtonAssignment::resetall,      &ButtonAssignment::resetrotation,    &ButtonAssignment::resettranslation,
    &ButtonAssignment::withalt,       &ButtonAssignment::withctrl,         &ButtonAssignment::withshift};

TEST(ConfigurationLoad, EachSettingsKeyFeedsItsOwnFieldTheRestTheirDefaults) {
  ExpectSettingsEqual(kDefaultModuleSettings, SpecDefaults(), "before the first load");
  for (const SettingsField& f : kSettingsFields) {
    ModuleSettings settings;
    std::memset(&settings, 0x7F, sizeof settings);
    ReadModuleSettings(ParseIni(std::string("[settings]\r\n") + f.key + " = 5000\r\n"), &settings);
    ModuleSettings expected = SpecDefaults();
    FieldOf(expected, f) = 5000;  // kept as read: no range check
    ExpectSettingsEqual(settings, expected, f.key);
  }
  ModuleSettings settings;
  ReadModuleSettings(ParseIni("[SETTINGS]\nquorixmode=abc\nuseonslew=12abc\n"), &settings);
  EXPECT_EQ(settings.quorixmode, 0) << "read as the platform reads a profile integer";
  EXPECT_EQ(settings.useonslew, 12);
}

TEST(ConfigurationLoad, ButtonSectionsAreExactlyButton0To100) {
  std::string text = "[Button_007]\nassigned=1\n[Button_101]\nassigned=1\n[button_100]\n";
  for (int k = 0; k < 9; ++k) text += std::string(kButtonKeysInOrder[k]) + "=" + std::to_string(10 + k) + "\n";
  // Not button 7, not button 3; blanks around a header name do not count.
  text += "[Button_0]\nkeycode=65\n[Button_ 3]\nassigned=1\n[Button_4 ]\nassigned=1\n";
  ButtonAssignment table[kButtonCount];
  std::memset(table, 0x7F, sizeof table);
  ReadButtonAssignments(ParseIni(text), table);
  for (int n = 0; n < kButtonCount; ++n) {
    for (int k = 0; k < 9; ++k) {
      const int32_t want = n == 100 ? 10 + k : (n == 0 && k == 1) ? 65 : (n == 4 && k == 0) ? 1 : 0;
      EXPECT_EQ(table[n].*kButtonFieldsInOrder[k], want) << "Button_" << n << " " << kButtonKeysInOrder[k];
    }
  }
}

TEST(ConfigurationLoad, EyePointEncoding) {
  struct EyeCase {
    const char* integerText;
    const char* fractionText;
    float expected;
  };
  const EyeCase cases[] = {
      {"12", "5", 12.5f},        {"-0", "250000", -0.25f},  {"3", "05", 3.05f},         {"", "5", 0.5f},
      {"0", "0", 0.0f},          {"-0", "5", -0.5f},        {" 7", "25", 7.25f},        {"+2", "", 2.0f},
      {"abc", "5", 0.0f},        {"12abc", "5", 12.0f},     {"1", "5e2", 150.0f},       {"1", "5e", 1.5f},
      {"1", "5e+", 1.5f},        {"1", "5E-1", 0.15f},      {"inf", "0", 0.0f},         {"nan", "1", 0.0f},
      {"0x1", "8", 0.0f},        {"1.5", "5", 1.5f},        {"-", "", 0.0f},            {"1", "0e400", std::numeric_limits<float>::infinity()},
      {"1", "5e-400", 0.0f},     {"-1", "5e400", -std::numeric_limits<float>::infinity()},
      {"4", "0e38", std::numeric_limits<float>::infinity()},   // beyond FLT_MAX
      {"3", "4e38", 3.4e38f},
  };
  for (const EyeCase& c : cases) {
    const float value = EyePointValue(c.integerText, c.fractionText);
    EXPECT_EQ(value, c.expected) << c.integerText << "." << c.fractionText;
    EXPECT_EQ(std::signbit(value), std::signbit(c.expected)) << c.integerText << "." << c.fractionText;
  }
  EXPECT_EQ(EyePointValue(nullptr, "5"), 0.5f);
  // The scratch holds 199 characters: what lies beyond does not count.
  EXPECT_EQ(EyePointValue(std::string(197, '0').c_str(), "5"), 0.5f);
  EXPECT_EQ(EyePointValue(std::string(198, '0').c_str(), "5"), 0.0f);
}

TEST(ConfigurationLoad, EyePointOfTheAircraftSection) {
  const std::string sixty(60, '3');
  const std::string text = "[Other]\nipitch=9\n[Cessna [C172] = ;x]\nipitch=-0\nfpitch=5\nibank=12\nfbank=5\n"
                           "iyaw=3\nfyaw=05\nibackforth=\nfbackforth=5\nileftright=1\nfleftright=" + sixty + "\n";
  DefaultEyePoint eye;
  ReadDefaultEyePoint(ParseIni(text), "Cessna [C172] = ;x", &eye);
  EXPECT_EQ(eye.axis[kEyePitch].value, -0.5f);
  EXPECT_EQ(eye.axis[kEyeBank].value, 12.5f);
  EXPECT_EQ(eye.axis[kEyeYaw].value, 3.05f);
  EXPECT_STREQ(eye.axis[kEyeBackForth].integerText, "");
  EXPECT_EQ(eye.axis[kEyeBackForth].value, 0.5f);
  EXPECT_EQ(std::string(eye.axis[kEyeLeftRight].fractionText), sixty.substr(0, 49));
  EXPECT_EQ(eye.axis[kEyeLeftRight].value, 1.33333333f);
  EXPECT_STREQ(eye.axis[kEyeUpDown].integerText, "0") << "missing keys read as 0";
  EXPECT_EQ(eye.axis[kEyeUpDown].value, 0.0f);
}

// --- the write sequences --------------------------------------------------

using Texts = std::vector<std::string>;

// Each write as "section/key=value".
Texts Lines(const IniWriteList& writes) {
  Texts lines;
  for (const IniWrite& w : writes) lines.push_back(w.section + "/" + w.key + "=" + w.value);
  return lines;
}

ModuleSettings DistinctSettings() {
  ModuleSettings s;
  int32_t v = -3;
  for (const SettingsField& f : kSettingsFields) FieldOf(s, f) = v++ * 7;
  return s;
}

TEST(ConfigurationSave, WriteSequencesInTheirFileOrder) {
  ModuleSettings distinct = DistinctSettings();
  Texts settings;
  for (const SettingsField& f : kSettingsFields) {
    settings.push_back(std::string("SETTINGS/") + f.key + "=" + std::to_string(FieldOf(distinct, f)));
  }
  EXPECT_EQ(Lines(SettingsWrites(distinct)), settings);

  EXPECT_EQ(Lines(CalibrationFlagWrites(1)), Texts{"SETTINGS/DoingCalibration=1"});
  EXPECT_EQ(Lines(CalibrationFlagWrites(0)), Texts{"SETTINGS/DoingCalibration=0"});
  EXPECT_EQ(Lines(ChangedFlagWrites()), Texts{"SETTINGS/Changed=0"});

  // Axis order of the records: tX, tY, tZ, rX, rY, rZ.
  const AxisCalibration calibration[kAxisCount] = {
      {-100000, 100000}, {INT_MIN, INT_MAX}, {0, -1}, {-5, 6}, {-7, 8}, {-9, 10}};
  EXPECT_EQ(Lines(CalibrationWrites(calibration)),
            (Texts{"CALIBRATION/rXmin=5", "CALIBRATION/rXmax=6", "CALIBRATION/rYmin=7", "CALIBRATION/rYmax=8",
                   "CALIBRATION/rZmin=9", "CALIBRATION/rZmax=10", "CALIBRATION/tXmin=100000",
                   "CALIBRATION/tXmax=100000", "CALIBRATION/tYmin=2147483648", "CALIBRATION/tYmax=2147483647",
                   "CALIBRATION/tZmin=0", "CALIBRATION/tZmax=1"}));

  ButtonAssignment table[kButtonCount];
  Texts buttons;
  for (int n = 0; n < kButtonCount; ++n) {
    for (int k = 0; k < 9; ++k) {
      table[n].*kButtonFieldsInOrder[k] = n * 10 + k - 50;
      buttons.push_back("Button_" + std::to_string(n) + "/" + kButtonKeysInOrder[k] + "=" +
                        std::to_string(n * 10 + k - 50));
    }
  }
  EXPECT_EQ(Lines(ButtonAssignmentWrites(table)), buttons);

  const char* const texts[kEyePointTextCount] = {"1", "2", "-0", "25", "", "x", " 5", "6 ", "7", "8", "9", "10"};
  EXPECT_EQ(Lines(DefaultEyePointWrites("My [plane]", texts)),
            (Texts{"My [plane]/ipitch=1", "My [plane]/fpitch=2", "My [plane]/ibank=-0", "My [plane]/fbank=25",
                   "My [plane]/iyaw=", "My [plane]/fyaw=x", "My [plane]/ibackforth= 5", "My [plane]/fbackforth=6 ",
                   "My [plane]/ileftright=7", "My [plane]/fleftright=8", "My [plane]/iupdown=9",
                   "My [plane]/fupdown=10"}));
}

}  // namespace
