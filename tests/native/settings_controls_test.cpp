// The device settings dialog's map between controls and ModuleSettings.
#include "setup/settings_controls.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <utility>

namespace {

TEST(SettingsControls, EachControlEditsItsOwnValue) {
  // Transcribed from the dialog's template: per axis, the ids of the enabled
  // box, sensitivity edit, null zone edit and invert box.
  static ModuleSettings s;
  struct Row {
    Axis axis;
    int enabled, sensitivity, nullzone, invert;
  } const rows[] = {
      {kAxisRX, 1080, 1051, 1052, 1063}, {kAxisRY, 1078, 1053, 1054, 1064}, {kAxisRZ, 1070, 1055, 1056, 1065},
      {kAxisTY, 1072, 1060, 1061, 1068}, {kAxisTX, 1074, 1062, 1057, 1067}, {kAxisTZ, 1076, 1059, 1058, 1066},
  };
  std::map<int, std::pair<SettingsControlKind, int32_t*>> expected = {
      {1081, {kSettingsCheckBox, &s.quorixmode}}, {1077, {kSettingsCheckBox, &s.useonslew}}};
  for (const Row& r : rows) {
    AxisSettings& a = s.axis[r.axis];
    expected[r.enabled] = {kSettingsCheckBox, &a.enabled};
    expected[r.sensitivity] = {kSettingsEditBox, &a.sensitivity};
    expected[r.nullzone] = {kSettingsEditBox, &a.nullzone};
    expected[r.invert] = {kSettingsCheckBox, &a.invert};
  }
  ASSERT_EQ(expected.size(), static_cast<size_t>(kSettingsControlCount));
  std::set<int> seen;
  for (const SettingsControl& control : kSettingsControls) {
    EXPECT_TRUE(seen.insert(control.controlId).second) << "twice: " << control.controlId;
    const auto match = expected.find(control.controlId);
    ASSERT_NE(match, expected.end()) << "not a settings control: " << control.controlId;
    EXPECT_EQ(control.kind, match->second.first) << control.controlId;
    EXPECT_EQ(SettingsValue(&s, control), match->second.second) << control.controlId;
  }
}

TEST(SettingsControls, TicksOnlyForExactlyOne) {
  struct Case {
    int32_t value;
    bool ticked;
  } const cases[] = {{1, true}, {0, false}, {2, false}, {-1, false}, {INT32_MIN, false}, {INT32_MAX, false}};
  for (const Case& c : cases) EXPECT_EQ(IsTicked(c.value), c.ticked) << c.value;
  EXPECT_EQ(CheckBoxValue(true), 1);
  EXPECT_EQ(CheckBoxValue(false), 0);
}

TEST(SettingsControls, EditBoxesCarryUnsignedNumbers) {
  struct Case {
    int32_t value;
    uint32_t shown;
  } const cases[] = {{0, 0u}, {-5, 4294967291u}, {INT32_MAX, 2147483647u}, {INT32_MIN, 2147483648u}};
  for (const Case& c : cases) {
    EXPECT_EQ(EditBoxNumber(c.value), c.shown) << c.value;
    // Whatever is shown reads back as the same stored value.
    EXPECT_EQ(ValueFromEditBox(c.shown), c.value) << c.shown;
  }
  // A typed number above the signed range becomes negative in the field.
  EXPECT_EQ(ValueFromEditBox(3000000000u), -1294967296);
}

}  // namespace
