// SimConnect's side-by-side folders: which names are SimConnect, their
// versions, and the newest-first order the install helper tries them in.
#include "install/assembly_folders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(InstallAssemblyFolders, ParsesVersionsOfSimConnectFoldersOnly) {
  const struct {
    const char* name;
    bool ok;
    AssemblyVersion version;
  } cases[] = {
      {"x86_Microsoft.FlightSimulator.SimConnect_67c7c14424d61b5b_10.0.61259.0_x-ww_2b6e4b9f", true, {{10, 0, 61259, 0}}},
      {"x86_microsoft.flightsimulator.simconnect_67c7c14424d61b5b_10.0.61242.0", true, {{10, 0, 61242, 0}}},
      {"x86_Microsoft.Windows.Common-Controls_6595b64144ccf1df_6.0.2600.2180_x-ww_a84f1ff9", false, {}},
      {"x86_microsoft.flightsimulator.simconnect_67c7c14424d61b5b_10.0.61259_none", false, {}},
      {"x86_microsoft.flightsimulator.simconnect_67c7c14424d61b5b_10.0.4294967296.0_none", false, {}},
      {"x86_microsoft.flightsimulator.simconnect_67c7c14424d61b5b_10.0.1.2.3_none", false, {}},
      {"x86_microsoft.flightsimulator.simconnect_67c7c14424d61b5b_10..1.2_none", false, {}},
      {"microsoft.flightsimulator.simconnect", false, {}},
  };
  for (const auto& c : cases) {
    AssemblyVersion version{};
    ASSERT_EQ(ParseSimConnectFolder(c.name, &version), c.ok) << c.name;
    if (!c.ok) continue;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(version.part[i], c.version.part[i]) << c.name;
  }
}

TEST(InstallAssemblyFolders, ComparesPartByPartNumerically) {
  const struct {
    AssemblyVersion a, b;
    int expected;
  } cases[] = {
      {{{10, 0, 61259, 0}}, {{10, 0, 61259, 0}}, 0},
      {{{10, 0, 9, 0}}, {{10, 0, 10, 0}}, -1},  // not as text
      {{{11, 0, 0, 0}}, {{10, 9, 99999, 9}}, 1},
      {{{10, 0, 0, 1}}, {{10, 0, 0, 0}}, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CompareVersions(c.a, c.b), c.expected);
    EXPECT_EQ(CompareVersions(c.b, c.a), -c.expected);
  }
}

TEST(InstallAssemblyFolders, NewestFirstOthersDropped) {
  const std::vector<std::string> names = {
      "x86_microsoft.flightsimulator.simconnect_67c7c14424d61b5b_10.0.60905.0_x-ww_a",
      "x86_Microsoft.Windows.GdiPlus_6595b64144ccf1df_1.0.2600.2180_x-ww_522f9f82",
      "x86_microsoft.flightsimulator.simconnect_67c7c14424d61b5b_10.0.61259.0_x-ww_b",
      "x86_microsoft.flightsimulator.simconnect_67c7c14424d61b5b_10.0.61242.0_x-ww_c",
      "x86_microsoft.flightsimulator.simconnect_67c7c14424d61b5b_10.0.61259.0_none_d",
  };
  const std::vector<std::string> expected = {names[2], names[4], names[3], names[0]};
  EXPECT_EQ(SimConnectFoldersNewestFirst(names), expected);
  EXPECT_TRUE(SimConnectFoldersNewestFirst({}).empty());
}

}  // namespace
