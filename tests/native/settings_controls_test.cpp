// The device settings dialog's map between controls and ModuleSettings.
#include "setup/settings_controls.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace {

TEST(SettingsControls, EachControlEditsItsOwnValue) {
  // Transcribed from the dialog's control table: id, kind, and the value of
  // ModuleSettings that it shows.
  static ModuleSettings s;
  struct Case {
    int id;
    SettingsControlKind kind;
    int32_t* value;
  } const cases[] = {
      {1080, kSettingsCheckBox, &s.axis[kAxisRX].enabled},
      {1051, kSettingsEditBox, &s.axis[kAxisRX].sensitivity},
      {1052, kSettingsEditBox, &s.axis[kAxisRX].nullzone},
      {1063, kSettingsCheckBox, &s.axis[kAxisRX].invert},
      {1078, kSettingsCheckBox, &s.axis[kAxisRY].enabled},
      {1053, kSettingsEditBox, &s.axis[kAxisRY].sensitivity},
      {1054, kSettingsEditBox, &s.axis[kAxisRY].nullzone},
      {1064, kSettingsCheckBox, &s.axis[kAxisRY].invert},
      {1070, kSettingsCheckBox, &s.axis[kAxisRZ].enabled},
      {1055, kSettingsEditBox, &s.axis[kAxisRZ].sensitivity},
      {1056, kSettingsEditBox, &s.axis[kAxisRZ].nullzone},
      {1065, kSettingsCheckBox, &s.axis[kAxisRZ].invert},
      {1072, kSettingsCheckBox, &s.axis[kAxisTY].enabled},
      {1060, kSettingsEditBox, &s.axis[kAxisTY].sensitivity},
      {1061, kSettingsEditBox, &s.axis[kAxisTY].nullzone},
      {1068, kSettingsCheckBox, &s.axis[kAxisTY].invert},
      {1074, kSettingsCheckBox, &s.axis[kAxisTX].enabled},
      {1062, kSettingsEditBox, &s.axis[kAxisTX].sensitivity},
      {1057, kSettingsEditBox, &s.axis[kAxisTX].nullzone},
      {1067, kSettingsCheckBox, &s.axis[kAxisTX].invert},
      {1076, kSettingsCheckBox, &s.axis[kAxisTZ].enabled},
      {1059, kSettingsEditBox, &s.axis[kAxisTZ].sensitivity},
      {1058, kSettingsEditBox, &s.axis[kAxisTZ].nullzone},
      {1066, kSettingsCheckBox, &s.axis[kAxisTZ].invert},
      {1081, kSettingsCheckBox, &s.quorixmode},
      {1077, kSettingsCheckBox, &s.useonslew},
  };
  ASSERT_EQ(sizeof(cases) / sizeof(cases[0]), static_cast<size_t>(kSettingsControlCount));
  std::set<int> seen;
  for (const SettingsControl& control : kSettingsControls) {
    EXPECT_TRUE(seen.insert(control.controlId).second) << "twice: " << control.controlId;
    const Case* match = nullptr;
    for (const Case& c : cases) {
      if (c.id == control.controlId) match = &c;
    }
    ASSERT_NE(match, nullptr) << "not a settings control: " << control.controlId;
    EXPECT_EQ(control.kind, match->kind) << control.controlId;
    EXPECT_EQ(SettingsValue(&s, control), match->value) << control.controlId;
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
  } const cases[] = {
      {0, 0u},
      {100, 100u},
      {250, 250u},
      {-5, 4294967291u},
      {INT32_MAX, 2147483647u},
      {INT32_MIN, 2147483648u},
      {-1, 4294967295u},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EditBoxNumber(c.value), c.shown) << c.value;
    // Whatever is shown reads back as the same stored value.
    EXPECT_EQ(ValueFromEditBox(c.shown), c.value) << c.shown;
  }
  // A typed number above the signed range becomes negative in the field.
  EXPECT_EQ(ValueFromEditBox(3000000000u), -1294967296);
}

}  // namespace
