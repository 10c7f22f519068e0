// The real pivora-install.exe against a scratch simulator folder, a fake
// side-by-side SimConnect assembly, the real registry and the prefix's
// add-on list folder: what only a real Win32 run shows. The steps and their
// failures, which assembly is taken, the registry's fallbacks and the refusal
// while the simulator's window is open are native rows; the window lookup
// itself is the one the server's stop goes through here.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/wine/common/wine_helpers.h"
#include "tests/wine/remover/simulator_list_folder.h"

namespace {

constexpr char kAssembly[] = "x86_microsoft.flightsimulator.simconnect_67c7c14424d61b5b_10.0.61259.0_x-ww_5d2e1b7a";
constexpr char kSimulatorKey[] = "Software\\Microsoft\\Microsoft Games\\Flight Simulator\\10.0";
constexpr char kEntry[] =
    "  <Launch.Addon>\r\n    <Name>Pivora</Name>\r\n    <Disabled>False</Disabled>\r\n"
    "    <Path>pivora\\pivora.dll</Path>\r\n  </Launch.Addon>\r\n";

// Without --sim the simulator's folder comes from the registry; with no list
// yet, the list is created with the entry. With a replay server running
// from the installed copy, the removal stops the server, leaves the
// simulator folder as before and takes the entry out whole.
TEST(InstallHelper, FreshInstallThroughTheRegistryThenUndone) {
  const std::string lists = EmptySimulatorListFolder();
  ScratchFolder package("package"), sim("sim"), winsxs("winsxs");
  ASSERT_TRUE(CopyFileA(PIVORA_INSTALL_PATH, (package / "pivora-install.exe").c_str(), FALSE));
  ASSERT_TRUE(CreateDirectoryA((package / "pivora").c_str(), nullptr));
  ASSERT_TRUE(WriteBytes(package / "pivora\\pivora.dll", "module bytes"));
  ASSERT_TRUE(CopyFileA(PIVORASRV_PATH, (package / "pivora\\pivorasrv.exe").c_str(), FALSE));
  ASSERT_TRUE(WriteBytes(sim / "fsx.exe", "simulator"));
  ASSERT_TRUE(CreateDirectoryA((winsxs / kAssembly).c_str(), nullptr));
  ASSERT_TRUE(WriteBytes(winsxs / kAssembly + "\\SimConnect.dll", "sp2"));
  const FolderFiles simBefore = ReadFolderFiles(sim.path());
  std::string output;  // of the last run
  const auto run = [&](const std::string& arguments) {
    return RunToExit(package / "pivora-install.exe", "--no-pause " + arguments, 30000, &output);
  };

  // A test prefix has no simulator: the key is the test's own.
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSimulatorKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const std::string path = sim.path() + "\\";
  RegSetValueExA(key, "SetupPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()), DWORD(path.size() + 1));
  const long exitCode = run("--winsxs \"" + winsxs.path() + "\"");
  RegCloseKey(key);
  RegDeleteKeyA(HKEY_CURRENT_USER, kSimulatorKey);
  ASSERT_EQ(exitCode, 0) << output;
  EXPECT_NE(output.find("registry value SetupPath"), std::string::npos) << output;
  EXPECT_EQ(Bytes(sim / "pivora\\pivora.dll"), "module bytes");
  EXPECT_EQ(Bytes(sim / "pivora\\simconnect.dll"), "sp2");
  const std::string list = Bytes(lists + "\\dll.xml");
  const size_t entryAt = list.find(kEntry);
  ASSERT_NE(entryAt, std::string::npos) << list;

  Program server;
  ASSERT_TRUE(server.Start(sim / "pivora\\pivorasrv.exe", "--replay \"" REPLAY_RECORDING "\""));
  ASSERT_NE(server.WaitForWindow("pivoraserver", false), nullptr) << "the replay server did not start";
  EXPECT_EQ(run("--remove --sim \"" + sim.path() + "\""), 0) << output;
  EXPECT_NE(server.ExitCode(), STILL_ACTIVE) << output;
  EXPECT_EQ(ReadFolderFiles(sim.path()), simBefore);
  EXPECT_EQ(ReadFolderFiles(lists),
            (FolderFiles{{"dll.xml", std::string(list).erase(entryAt, sizeof kEntry - 1)},
                         {"dll.xml.before_Pivora_removal", list}}));
}

}  // namespace
