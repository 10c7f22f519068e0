// The configuration on real files: the platform's file operations (failing
// steps are the native ConfigFile table's), and the real pivora.dll.
#include <windows.h>

#include <gtest/gtest.h>

#include "setup/configuration_file_win.h"
#include "tests/wine/common/wine_helpers.h"
#include "tests/wine/spine/spine_fixture.h"

namespace {

// Saved by a replace, not in place. Then another process (the device server)
// holds the file and NTFS refuses the replace (Wine would not: the seam does).
// Our read shares writing with it; a holder sharing writing gets the text
// written under it, one sharing only reading keeps the old text: a failed save.
TEST(ConfigFilesOnDisk, SavedByAReplaceOrUnderAHolderThatSharesWriting) {
  const char old[] = "[SETTINGS]\r\nquorixmode=1\r\n", saved[] = "[SETTINGS]\r\nquorixmode=1\r\nDoingCalibration=0\r\n";
  ScratchFolder folder("config");
  const std::string path = folder / "pivora.ini";
  for (const DWORD holderSharing : {DWORD{0}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}, DWORD{FILE_SHARE_READ}}) {
    const bool expectSaved = holderSharing != FILE_SHARE_READ;
    ConfigFileOps ops = kPlatformConfigFileOps;
    if (holderSharing == 0) {
      ops.OpenExisting = [](void*, const char*, void**) {
        ADD_FAILURE() << "written in place";
        return false;
      };
    } else {
      ops.MoveOver = [](void*, const char*, const char*) { return kMoveHeld; };
    }
    ops.Wait = [](void*, unsigned) {};
    WriteBytes(path, old);
    HANDLE holder = holderSharing == 0 ? INVALID_HANDLE_VALUE
                                       : CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, holderSharing, nullptr,
                                                     OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(UpdateConfigFile(ops, path.c_str(), {{"SETTINGS", "DoingCalibration", "0"}}), expectSaved);
    if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
    EXPECT_EQ(ReadFolderFiles(folder.path()), (FolderFiles{{"pivora.ini", expectSaved ? saved : old}})) << holderSharing;
  }
}

// A reload shows in what the module sends: a reset button sends the default
// eye point. (That a load reads the settings, the settings dialog's case shows.)
constexpr int32_t kAtRest[6] = {};

class ModuleConfiguration : public SimulatorCase {
 protected:
  AppDataFolder appData;  // set aside before the module can see it
};

TEST_F(ModuleConfiguration, FirstStartWritesOnlyTheFlagAndAnAircraftChangeReloads) {
  ASSERT_EQ(GetFileAttributesA(appData.Path().c_str()), INVALID_FILE_ATTRIBUTES);
  SetUpHost();
  SimHostStart(&host);
  const std::string settings = appData.File("pivora.ini"), flag = "[SETTINGS]\r\nDoingCalibration=0\r\n";
  EXPECT_EQ(Bytes(appData.File("somethingchanged.ini")), flag) << "the folder was created";
  EXPECT_EQ(Bytes(settings), flag) << "nothing but the flag written";

  // The file changes behind the module's back; only a reload can see it.
  Feed(kAtRest);
  WriteBytes(settings, "[Button_4]\r\nassigned=1\r\nresetall=1\r\n[Plane B]\r\nipitch=-20\r\nfpitch=25\r\n");
  DOUBLE(Double_AnswerAircraft)("Plane B", 0.0);
  ASSERT_TRUE(PumpTicks(3));
  Feed(kAtRest, 4);
  EXPECT_TRUE(SimHostPumpUntil(5000, [] { return CountCalls("CameraSetRelative6DOF(H, 0, 0, 0, -20.25, 0, 0)") > 0; }))
      << "the buttons and Plane B's eye point were reloaded";
  SimHostStop(&host);
}

}  // namespace
