// What the device server reads from pivora.ini and somethingchanged.ini.
#include "server/server_config.h"
#include "tests/native/parse_ini.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

ServerConfig Read(const std::string& settings, const std::string& marker) {
  ServerConfig config = DefaultServerConfig();
  // Start from garbage so that every field must be written by the read.
  config.doingCalibration = true;
  config.deviceName = "stale";
  for (CalibratedRange& r : config.range) r = {-5, -5};
  ReadServerConfig(ParseIni(settings), ParseIni(marker), &config);
  return config;
}

TEST(ServerConfig, ReadsSettingsCalibrationAndDevice) {
  const ServerConfig none = Read("", "");
  for (const CalibratedRange& r : none.range) EXPECT_TRUE(r.negative == 0 && r.positive == 0) << "uncalibrated";
  EXPECT_EQ(none.deviceName, "");
  const std::string longName(300, 'n');
  EXPECT_EQ(Read("[SETTINGS]\r\nserverdevice=" + longName + "\r\n", "").deviceName,
            longName.substr(0, kServerDeviceNameChars));
  const ServerConfig config = Read(
      "[SETTINGS]\r\nrZsensitivity=250\r\ntxnullzone=0\r\n"
      "serverdevice=SpaceNavigator\r\n"
      "[CALIBRATION]\r\nrZmin=410\r\nrZmax=390\r\ntYmin=-77\r\ntYmax=abc\r\nrXmin=-2147483648\r\n",
      "");
  EXPECT_EQ(config.settings.axis[kAxisRZ].sensitivity, 250);
  EXPECT_EQ(config.settings.axis[kAxisTX].nullzone, 0);  // names match without regard to case
  EXPECT_EQ(config.deviceName, "SpaceNavigator");
  EXPECT_EQ(config.range[kAxisRZ].negative, 410);
  EXPECT_EQ(config.range[kAxisRZ].positive, 390);
  EXPECT_EQ(config.range[kAxisTY].negative, 77);   // a hand-edited sign is dropped
  EXPECT_EQ(config.range[kAxisTY].positive, 0);    // no number: uncalibrated
  EXPECT_EQ(config.range[kAxisRX].negative, 0);    // no magnitude fits 32 bits
}

TEST(ServerConfig, OnlyExactlyOneInTheMarkerFileMeansCalibrating) {
  const struct {
    const char* marker;
    bool expected;
  } cases[] = {
      {"[SETTINGS]\r\nDoingCalibration=1\r\n", true},
      {"[settings]\r\ndoingcalibration = 1 \r\n", true},
      {"[SETTINGS]\r\nDoingCalibration=0\r\n", false},
      {"[SETTINGS]\r\nDoingCalibration=10\r\n", false},
      {"[SETTINGS]\r\nDoingCalibration=\r\n", false},
      {"[OTHER]\r\nDoingCalibration=1\r\n", false},
  };
  for (const auto& c : cases) EXPECT_EQ(Read("", c.marker).doingCalibration, c.expected) << c.marker;
  // The settings file's copy of the flag is not what counts.
  EXPECT_FALSE(Read("[SETTINGS]\r\nDoingCalibration=1\r\n", "").doingCalibration);
}

bool SameFeel(const FeelSettings& a, const FeelSettings& b) {
  return std::memcmp(a.curve, b.curve, sizeof a.curve) == 0 &&
         std::memcmp(a.smoothing, b.smoothing, sizeof a.smoothing) == 0 && a.dominantAxis == b.dominantAxis;
}

TEST(ServerConfig, FeelFile) {
  const struct {
    const char* what;
    const char* text;
    FeelSettings expected;
  } cases[] = {
      {"missing file: off", "", {{0, 0}, {0, 0}, false}},
      {"every key", "[SETTINGS]\r\ntranslationcurve=20\r\nrotationcurve=60\r\ntranslationsmoothing=5\r\n"
                    "rotationsmoothing=50\r\ndominantaxis=1\r\n", {{20, 60}, {5, 50}, true}},
      {"0..100 only", "[settings]\r\nRotationCurve=250\r\ntranslationsmoothing=-7\r\n", {{0, 100}, {0, 0}, false}},
      {"not a number, not 1", "[SETTINGS]\r\nrotationcurve=abc\r\ndominantaxis=2\r\n", {{0, 0}, {0, 0}, false}},
      {"keys of another section", "[FEEL]\r\nrotationcurve=40\r\n", {{0, 0}, {0, 0}, false}},
  };
  for (const auto& c : cases) {
    FeelSettings feel = {{9, 9}, {9, 9}, true};  // a reload replaces every value
    ReadFeelSettings(ParseIni(c.text), &feel);
    EXPECT_TRUE(SameFeel(feel, c.expected)) << c.what;
  }
  // What the Feel panel saves reads back as it was.
  const FeelSettings saved = {{15, 85}, {30, 100}, true};
  IniDocument doc = ParseIni("[SETTINGS]\r\nrotationcurve=1\r\n");
  ASSERT_TRUE(ApplyIniWrites(&doc, FeelSettingsWrites(saved)));
  ServerConfig config = DefaultServerConfig();
  ReadServerFiles(ParseIni(""), ParseIni(""), ParseIni(SerializeIniDocument(doc)), false, &config);
  EXPECT_TRUE(SameFeel(config.feel, saved));
  // A feel file that exists but cannot be read this moment keeps the feel.
  ReadServerFiles(ParseIni(""), ParseIni(""), ParseIni(""), true, &config);
  EXPECT_TRUE(SameFeel(config.feel, saved));
}

}  // namespace
