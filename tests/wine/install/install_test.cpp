// The real pivora-install.exe against a scratch simulator folder, fake
// side-by-side SimConnect assemblies, the real registry and the prefix's
// add-on list folder: what only a real Win32 run shows. The steps and their
// failures are native rows (tests/native/install_helper_steps_test.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/wine/common/wine_helpers.h"
#include "tests/wine/remover/simulator_list_folder.h"

namespace {

constexpr char kSxsPrefix[] = "x86_microsoft.flightsimulator.simconnect_67c7c14424d61b5b_";
constexpr char kSimulatorKey[] = "Software\\Microsoft\\Microsoft Games\\Flight Simulator\\10.0";

const char kOtherList[] =
    "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n"
    "<SimBase.Document Type=\"Launch\" version=\"1,0\">\r\n"
    "  <Descr>Launch</Descr>\r\n"
    "  <Launch.Addon>\r\n"
    "    <Name>Other</Name>\r\n"
    "    <Disabled>False</Disabled>\r\n"
    "    <Path>other\\other.dll</Path>\r\n"
    "  </Launch.Addon>\r\n"
    "</SimBase.Document>\r\n";

struct HelperRun {
  DWORD exitCode = 999;
  std::string output;
};

class InstallHelper : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CopyFileA(PIVORA_INSTALL_PATH, (package / "pivora-install.exe").c_str(), FALSE));
    ASSERT_TRUE(CreateDirectoryA((package / "pivora").c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(package / "pivora\\pivora.dll", "module bytes"));
    ASSERT_TRUE(CopyFileA(PIVORASRV_PATH, (package / "pivora\\pivorasrv.exe").c_str(), FALSE));
    ASSERT_TRUE(WriteBytes(sim / "fsx.exe", "simulator"));
    // Three versions with their library, a newer one without it, and a
    // different assembly that must not be taken for SimConnect.
    Assembly(std::string(kSxsPrefix) + "10.0.60905.0_x-ww_a3e1f2c4", "rtm");
    Assembly(std::string(kSxsPrefix) + "10.0.61259.0_x-ww_5d2e1b7a", "sp2");
    Assembly(std::string(kSxsPrefix) + "10.0.61242.0_x-ww_9c0a4b3e", "sp1");
    Assembly(std::string(kSxsPrefix) + "10.0.62000.0_x-ww_00000000", nullptr);
    Assembly("x86_microsoft.windows.common-controls_6595b64144ccf1df_6.0.99999.0_x-ww_1", "wrong");
  }

  void Assembly(const std::string& name, const char* library) {
    ASSERT_TRUE(CreateDirectoryA((winsxs / name).c_str(), nullptr));
    if (library != nullptr) {
      ASSERT_TRUE(WriteBytes(winsxs / name + "\\SimConnect.dll", library));
    }
  }

  HelperRun Run(const std::string& arguments) {
    HelperRun run;
    run.exitCode = static_cast<DWORD>(RunToExit(package / "pivora-install.exe", "--no-pause " + arguments, 30000,
                                                &run.output));
    return run;
  }

  std::string Arguments() const { return "--sim \"" + sim.path() + "\" --winsxs \"" + winsxs.path() + "\""; }
  std::string List() const { return Bytes(lists / "dll.xml"); }

  SimulatorListFolder lists;  // %APPDATA%\Microsoft\FSX, given back afterwards
  ScratchFolder package{"package"};
  ScratchFolder sim{"sim"};
  ScratchFolder winsxs{"winsxs"};
};

// A window of the simulator's main class in this process, for as long as
// the object lives.
class SimulatorWindow {
 public:
  SimulatorWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "FS98MAIN";
    RegisterClassA(&windowClass);
    window_ = CreateWindowA("FS98MAIN", "Flight Simulator X", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                            windowClass.hInstance, nullptr);
  }
  ~SimulatorWindow() { DestroyWindow(window_); }
  HWND window_;
};

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// Without --sim the simulator's folder comes from the registry; with no list
// yet, the list is created with the entry and nothing is backed up.
TEST_F(InstallHelper, FreshInstallFindsTheSimulatorThroughTheRegistry) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSimulatorKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            &disposition),
            ERROR_SUCCESS);
  char saved[MAX_PATH] = "";
  DWORD savedSize = sizeof saved;
  const bool hadValue = RegQueryValueExA(key, "SetupPath", nullptr, nullptr, reinterpret_cast<BYTE*>(saved),
                                         &savedSize) == ERROR_SUCCESS;
  const std::string path = sim.path() + "\\";
  RegSetValueExA(key, "SetupPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()), DWORD(path.size() + 1));
  const HelperRun run = Run("--winsxs \"" + winsxs.path() + "\"");
  if (hadValue) {
    RegSetValueExA(key, "SetupPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(saved), savedSize);
  } else {
    RegDeleteValueA(key, "SetupPath");
  }
  RegCloseKey(key);
  if (disposition == REG_CREATED_NEW_KEY) RegDeleteKeyA(HKEY_CURRENT_USER, kSimulatorKey);

  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_NE(run.output.find("registry value SetupPath"), std::string::npos) << run.output;
  EXPECT_EQ(Count(run.output, "MISSING"), 0u) << run.output;
  EXPECT_EQ(Bytes(sim / "pivora\\pivora.dll"), "module bytes");
  EXPECT_TRUE(PathExists(sim / "pivora\\pivorasrv.exe"));
  EXPECT_EQ(Bytes(sim / "pivora\\simconnect.dll"), "sp2") << "the newest version with a library";
  const std::string list = List();
  EXPECT_EQ(Count(list, "<Path>pivora\\pivora.dll</Path>"), 1u) << list;
  EXPECT_NE(list.find("</SimBase.Document>"), std::string::npos);
  EXPECT_EQ(ReadFolderFiles(lists.path()).size(), 1u) << "a backup or a temporary list left";
}

// Install over a CR LF list with another entry; the removal is refused while
// the simulator's window is open; then, with a replay server running from
// the installed copy, it stops the server and leaves the simulator folder as
// before and the list byte for byte.
TEST_F(InstallHelper, RemovalRefusedWhileTheSimulatorRunsThenUndoesTheInstall) {
  ASSERT_TRUE(WriteBytes(lists / "dll.xml", kOtherList));
  const FolderFiles simBefore = ReadFolderFiles(sim.path());
  const HelperRun install = Run(Arguments());
  ASSERT_EQ(install.exitCode, 0u) << install.output;
  EXPECT_EQ(Bytes(lists / "dll.xml.before_pivora_install"), kOtherList);
  const std::string installed = List();
  const std::string removal = "--remove --sim \"" + sim.path() + "\"";
  {
    SimulatorWindow simulator;
    ASSERT_NE(simulator.window_, nullptr);
    const HelperRun refused = Run(removal);
    EXPECT_EQ(refused.exitCode, 1u) << refused.output;
    EXPECT_NE(refused.output.find("NOT REMOVED: the simulator is running"), std::string::npos) << refused.output;
    EXPECT_EQ(List(), installed);
    EXPECT_TRUE(PathExists(sim / "pivora\\pivora.dll"));
  }
  Program server;
  ASSERT_TRUE(server.Start(sim / "pivora\\pivorasrv.exe", "--replay \"" REPLAY_RECORDING "\""));
  ASSERT_NE(server.WaitForWindow("pivoraserver", false), nullptr) << "the replay server did not start";
  const HelperRun removed = Run(removal);
  EXPECT_EQ(removed.exitCode, 0u) << removed.output;
  EXPECT_NE(server.ExitCode(), STILL_ACTIVE) << removed.output;
  EXPECT_EQ(ReadFolderFiles(sim.path()), simBefore);
  EXPECT_EQ(List(), kOtherList);
}

}  // namespace
