// The configuration records against the settings file: which key feeds which
// field with which default, the eye point encoding, and the exact write
// sequence of every save. The key names and defaults below are typed out
// independently of setup/configuration_keys.h and configuration.h so that a
// misspelt constant or a wrong default shows up here.
#include "setup/configuration.h"
#include "tests/native/parse_ini.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

// ModuleSettings as its 26 numbers in member order: quorixmode, useonslew,
// then sensitivity, nullzone, enabled and invert of tX, tY, tZ, rX, rY, rZ.
using SettingsNumbers = std::array<int32_t, 26>;
static_assert(sizeof(SettingsNumbers) == sizeof(ModuleSettings), "26 plain numbers");

SettingsNumbers Numbers(const ModuleSettings& settings) {
  SettingsNumbers n;
  std::memcpy(n.data(), &settings, sizeof settings);
  return n;
}

// The defaults as the settings file documents them.
const SettingsNumbers kDocumentedDefaults = {0, 1, /*tX*/ 100, 50, 1, 0, /*tY*/ 100, 50, 1, 1, /*tZ*/ 100, 50, 1, 1,
                                             /*rX*/ 100, 50, 1, 0, /*rY*/ 100, 50, 1, 0, /*rZ*/ 100, 50, 1, 0};

// Member n (from 1) set to 100 * n: far outside every field's sensible range.
const SettingsNumbers kHundreds = {100,  200,  300,  400,  500,  600,  700,  800,  900,  1000, 1100, 1200, 1300,
                                   1400, 1500, 1600, 1700, 1800, 1900, 2000, 2100, 2200, 2300, 2400, 2500, 2600};

// The settings of kHundreds saved into an empty file, in the save order.
const char kHundredsSaved[] =
    "[SETTINGS]\r\nquorixmode=100\r\n"
    "rXsensitivity=1500\r\nrYsensitivity=1900\r\nrZsensitivity=2300\r\n"
    "tXsensitivity=300\r\ntYsensitivity=700\r\ntZsensitivity=1100\r\n"
    "rXnullzone=1600\r\nrYnullzone=2000\r\nrZnullzone=2400\r\ntXnullzone=400\r\ntYnullzone=800\r\ntZnullzone=1200\r\n"
    "rXenabled=1700\r\nrYenabled=2100\r\nrZenabled=2500\r\ntXenabled=500\r\ntYenabled=900\r\ntZenabled=1300\r\n"
    "useonslew=200\r\n"
    "rXinvert=1800\r\nrYinvert=2200\r\nrZinvert=2600\r\ntXinvert=600\r\ntYinvert=1000\r\ntZinvert=1400\r\n";

const char* const kButtonKeysInOrder[] = {"assigned", "keycode", "keypress", "resetall", "resetrotation",
                                          "resettranslation", "withalt", "withctrl", "withshift"};
int32_t ButtonAssignment::*const kButtonFieldsInOrder[] = {
    &ButtonAssignment::assigned,      &ButtonAssignment::keycode,          &ButtonAssignment::keypress,
    &ButtonAssignment::resetall,      &ButtonAssignment::resetrotation,    &ButtonAssignment::resettranslation,
    &ButtonAssignment::withalt,       &ButtonAssignment::withctrl,         &ButtonAssignment::withshift};

TEST(ConfigurationLoad, EachSettingsKeyFeedsItsOwnFieldWithItsDefault) {
  ModuleSettings settings;
  std::memset(&settings, 0x7F, sizeof settings);
  ReadModuleSettings(ParseIni(""), &settings);
  EXPECT_EQ(Numbers(settings), kDocumentedDefaults) << "missing file";
  ReadModuleSettings(ParseIni(kHundredsSaved), &settings);
  EXPECT_EQ(Numbers(settings), kHundreds) << "kept as read: no range check";
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
  const float inf = std::numeric_limits<float>::infinity();
  struct EyeCase {
    const char* integerText;
    const char* fractionText;
    float expected;
  } const cases[] = {
      {"12", "5", 12.5f},    {"-0", "250000", -0.25f}, {"3", "05", 3.05f},   {"", "5", 0.5f},     {"0", "0", 0.0f},
      {" 7", "25", 7.25f},   {"+2", "", 2.0f},         {"abc", "5", 0.0f},   {"12abc", "5", 12.0f},
      {"1", "5e2", 150.0f},  {"1", "5e", 1.5f},        {"1", "5E-1", 0.15f}, {"inf", "0", 0.0f},  {"0x1", "8", 0.0f},
      {"1.5", "5", 1.5f},    {"-", "", 0.0f},          {"1", "0e400", inf},  {"1", "5e-400", 0.0f},
      {"-1", "5e400", -inf}, {"3", "4e38", 3.4e38f},   {"4", "0e38", inf},  // beyond FLT_MAX
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
  const std::string text = "[Other]\nipitch=9\n[Cessna [C172] = ;x]\nipitch=-0\nfpitch=5\nibank=12\nfbank=5\n"
                           "iyaw=3\nfyaw=05\nibackforth=\nfbackforth=5\nileftright=1\nfleftright=" +
                           std::string(60, '3');
  DefaultEyePoint eye;
  ReadDefaultEyePoint(ParseIni(text), "Cessna [C172] = ;x", &eye);
  // Pitch, bank, yaw, back/forth, left/right (cut to 49 characters), up/down (missing keys read as 0).
  const std::string texts[kEyeAxisCount] = {"-0.5", "12.5", "3.05", ".5", "1." + std::string(49, '3'), "0.0"};
  const float values[kEyeAxisCount] = {-0.5f, 12.5f, 3.05f, 0.5f, 1.33333333f, 0.0f};
  for (int a = 0; a < kEyeAxisCount; ++a) {
    EXPECT_EQ(std::string(eye.axis[a].integerText) + "." + eye.axis[a].fractionText, texts[a]) << a;
    EXPECT_EQ(eye.axis[a].value, values[a]) << a;
  }
}

// --- the write sequences --------------------------------------------------

using Texts = std::vector<std::string>;

// Each write as "section/key=value".
Texts Lines(const IniWriteList& writes) {
  Texts lines;
  for (const IniWrite& w : writes) lines.push_back(w.section + "/" + w.key + "=" + w.value);
  return lines;
}

TEST(ConfigurationSave, WriteSequencesInTheirFileOrder) {
  ModuleSettings settings;
  std::memcpy(&settings, kHundreds.data(), sizeof settings);
  IniDocument doc = ParseIni("");
  ASSERT_TRUE(ApplyIniWrites(&doc, SettingsWrites(settings)));
  EXPECT_EQ(SerializeIniDocument(doc), kHundredsSaved);

  EXPECT_EQ(Lines(CalibrationFlagWrites(1)), Texts{"SETTINGS/DoingCalibration=1"});

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
