// The real pivora-install.exe against a fake simulator folder, fake
// side-by-side SimConnect assemblies and the prefix's add-on list folder;
// and the real unrigger.exe with the package's setup.lst taking the entry
// out again.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/wine/remover/unrigger_driver.h"

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
    ASSERT_TRUE(WriteBytes(package / "pivora\\pivorasrv.exe", "server bytes"));
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

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST_F(InstallHelper, FreshInstallCopiesEverythingAndCreatesTheList) {
  const HelperRun run = Run(Arguments());
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_EQ(Bytes(sim / "pivora\\pivora.dll"), "module bytes");
  EXPECT_EQ(Bytes(sim / "pivora\\pivorasrv.exe"), "server bytes");
  EXPECT_EQ(Bytes(sim / "pivora\\simconnect.dll"), "sp2") << "the newest version with a library";
  const std::string list = List();
  EXPECT_EQ(Count(list, "<Path>pivora\\pivora.dll</Path>"), 1u) << list;
  EXPECT_NE(list.find("</SimBase.Document>"), std::string::npos);
  EXPECT_FALSE(PathExists(lists / "dll.xml.before_pivora_install")) << "nothing to back up";
  EXPECT_FALSE(PathExists(lists / "dll.xml.pivora-new"));
  EXPECT_EQ(Count(run.output, "MISSING"), 0u) << run.output;
}

TEST_F(InstallHelper, ExistingListIsBackedUpAndNeverGetsTheEntryTwice) {
  ASSERT_TRUE(WriteBytes(lists / "dll.xml", kOtherList));
  const HelperRun first = Run(Arguments());
  EXPECT_EQ(first.exitCode, 0u) << first.output;
  const std::string installed = List();
  EXPECT_EQ(Bytes(lists / "dll.xml.before_pivora_install"), kOtherList);
  EXPECT_EQ(Count(installed, "pivora\\pivora.dll"), 1u);
  EXPECT_EQ(Count(installed, "other\\other.dll"), 1u);

  const HelperRun second = Run(Arguments());
  EXPECT_EQ(second.exitCode, 0u) << second.output;
  EXPECT_EQ(List(), installed);
  EXPECT_EQ(Bytes(lists / "dll.xml.before_pivora_install"), kOtherList) << "the first backup is kept";
  EXPECT_NE(second.output.find("already"), std::string::npos) << second.output;
}

TEST_F(InstallHelper, RemovalProgramWithThePackagesSetupListRestoresTheList) {
  ASSERT_TRUE(WriteBytes(lists / "dll.xml", kOtherList));
  ASSERT_EQ(Run(Arguments()).exitCode, 0u);
  ScratchFolder program("program");
  ASSERT_TRUE(InstallUnrigger(program.path(), false));
  ASSERT_TRUE(CopyFileA(PACKAGE_SETUP_LST, (program / "setup.lst").c_str(), FALSE));
  ASSERT_TRUE(WriteBytes(program / "ST6UNST.LOG", ""));
  UnriggerRun run(program.path(), program.path());
  HWND main = run.WaitForWindow("main");
  ASSERT_NE(main, nullptr);
  SendMessageA(GetDlgItem(main, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(run.WaitForExit());
  EXPECT_EQ(List(), kOtherList);
}

TEST_F(InstallHelper, SaysWhatIsMissingAndDoesTheRest) {
  const struct {
    const char* what;
    bool withSimulator;
    bool withAssemblies;
    const char* missing;
  } cases[] = {
      {"no simulator", false, true, "MISSING: the simulator's folder"},
      {"no SimConnect", true, false, "MISSING: the simulator's SimConnect library"},
  };
  for (const auto& c : cases) {
    DeleteFileA((lists / "dll.xml").c_str());
    if (!c.withSimulator) DeleteFileA((sim / "fsx.exe").c_str());
    ScratchFolder empty("empty");
    const std::string arguments =
        "--sim \"" + sim.path() + "\" --winsxs \"" + (c.withAssemblies ? winsxs.path() : empty.path()) + "\"";
    const HelperRun run = Run(arguments);
    EXPECT_EQ(run.exitCode, 1u) << c.what << "\n" << run.output;
    EXPECT_NE(run.output.find(c.missing), std::string::npos) << c.what << "\n" << run.output;
    // Without a simulator nothing is touched; without SimConnect the rest is done.
    EXPECT_EQ(PathExists(lists / "dll.xml"), c.withSimulator) << c.what;
    EXPECT_EQ(PathExists(sim / "pivora\\pivora.dll"), c.withSimulator) << c.what;
    EXPECT_FALSE(PathExists(sim / "pivora\\simconnect.dll")) << c.what;
    ASSERT_TRUE(WriteBytes(sim / "fsx.exe", "simulator"));
  }
}

TEST_F(InstallHelper, ListThatIsNotAListIsLeftAlone) {
  ASSERT_TRUE(WriteBytes(lists / "dll.xml", "not a list"));
  const HelperRun run = Run(Arguments());
  EXPECT_EQ(run.exitCode, 1u) << run.output;
  EXPECT_EQ(List(), "not a list");
  EXPECT_FALSE(PathExists(lists / "dll.xml.before_pivora_install"));
  EXPECT_NE(run.output.find("left as it is"), std::string::npos) << run.output;
}

// Without --sim the simulator's install path comes from the registry.
TEST_F(InstallHelper, FindsTheSimulatorThroughTheRegistry) {
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
  EXPECT_EQ(Bytes(sim / "pivora\\simconnect.dll"), "sp2");
}

}  // namespace
