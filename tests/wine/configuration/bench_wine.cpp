// Side-by-side timing of our configuration path against the platform's
// private-profile functions, in one run on the same realistic file:
//   load: LoadConfiguration vs the same 947 reads through
//         GetPrivateProfileIntA / GetPrivateProfileStringA;
//   save: SaveButtonAssignments vs 909 WritePrivateProfileStringA calls.
// Each round alternates the button table, so every save changes the file.
// It sets the prefix's pivora folder aside and puts it back. Run by hand
// (one line): WINEPREFIX=$PWD/build/wineprefix scripts/wine-run.sh
//   build/<dir>/tests/wine/configuration/configuration_bench_wine.exe [rounds]
// Under qemu user emulation absolute times are slow: compare the ratios.
#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <shlobj.h>

#include "setup/configuration.h"
#include "setup/configuration_file_win.h"
#include "setup/configuration_store.h"
#include "tests/bench/realistic_config.h"
#include "tests/wine/common/wine_helpers.h"
#include "testbed/sim_host/now_ms.h"

namespace {

int gFileReplacements;

bool CountReplacements(ConfigFileStep step) {
  if (step == kFileStepReplace) ++gFileReplacements;
  return true;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// What LoadConfiguration reads, through the platform's functions.
void PlatformLoad(const char* title) {
  char folder[MAX_PATH];
  SHGetSpecialFolderPathA(nullptr, folder, CSIDL_APPDATA, FALSE);
  std::strcat(folder, kConfigFolderName);
  if (!PathIsDirectoryA(folder)) CreateDirectoryA(folder, nullptr);
  const std::string path = std::string(folder) + kSettingsFileName;
  const char* file = path.c_str();
  ModuleSettings& s = gModuleSettings;
  s.quorixmode = GetPrivateProfileIntA(kSectionSettings, kKeyQuorixMode, 0, file);
  for (int a = 0; a < kAxisCount; ++a) s.axis[a].sensitivity = GetPrivateProfileIntA(kSectionSettings, kKeySensitivity[a], 100, file);
  for (int a = 0; a < kAxisCount; ++a) s.axis[a].nullzone = GetPrivateProfileIntA(kSectionSettings, kKeyNullZone[a], 50, file);
  s.useonslew = GetPrivateProfileIntA(kSectionSettings, kKeyUseOnSlew, 1, file);
  for (int a = 0; a < kAxisCount; ++a) s.axis[a].enabled = GetPrivateProfileIntA(kSectionSettings, kKeyEnabled[a], 1, file);
  for (int a = 0; a < kAxisCount; ++a) {
    s.axis[a].invert = GetPrivateProfileIntA(kSectionSettings, kKeyInvert[a], a == kAxisTY || a == kAxisTZ, file);
  }
  for (int n = 0; n < kButtonCount; ++n) {
    const std::string section = ButtonSectionName(n);
    ButtonAssignment& b = gButtonAssignments[n];
    b.assigned = GetPrivateProfileIntA(section.c_str(), kKeyAssigned, 0, file);
    b.keycode = GetPrivateProfileIntA(section.c_str(), kKeyKeycode, 0, file);
    b.keypress = GetPrivateProfileIntA(section.c_str(), kKeyKeypress, 0, file);
    b.resetall = GetPrivateProfileIntA(section.c_str(), kKeyResetAll, 0, file);
    b.resetrotation = GetPrivateProfileIntA(section.c_str(), kKeyResetRotation, 0, file);
    b.resettranslation = GetPrivateProfileIntA(section.c_str(), kKeyResetTranslation, 0, file);
    b.withalt = GetPrivateProfileIntA(section.c_str(), kKeyWithAlt, 0, file);
    b.withctrl = GetPrivateProfileIntA(section.c_str(), kKeyWithCtrl, 0, file);
    b.withshift = GetPrivateProfileIntA(section.c_str(), kKeyWithShift, 0, file);
  }
  for (int a = 0; a < kEyeAxisCount; ++a) {
    EyePointText& axis = gDefaultEyePoint.axis[a];
    GetPrivateProfileStringA(title, kKeyEyeInteger[a], "0", axis.integerText, kEyePointTextSize, file);
    GetPrivateProfileStringA(title, kKeyEyeFraction[a], "0", axis.fractionText, kEyePointTextSize, file);
    axis.value = EyePointValue(axis.integerText, axis.fractionText);
  }
}

void PlatformSaveButtons() {
  for (const IniWrite& w : ButtonAssignmentWrites(gButtonAssignments)) {
    WritePrivateProfileStringA(w.section.c_str(), w.key.c_str(), w.value.c_str(), gSettingsPath);
  }
}

void FillTable(int round) {
  for (int n = 0; n < kButtonCount; ++n) {
    gButtonAssignments[n] = round % 2 ? ButtonAssignment{1, 1, 0, 0, 0, 1, 0, 1, 65 + n % 26} : ButtonAssignment{};
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 11;
  AppDataFolder appData;
  LoadConfiguration("");
  const std::string file = RealisticSettingsFile();
  {
    HANDLE h = CreateFileA(gSettingsPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD wrote = 0;
    WriteFile(h, file.data(), static_cast<DWORD>(file.size()), &wrote, nullptr);
    CloseHandle(h);
  }
  const std::string title = RealisticAircraftTitle(kRealisticAircraftCount - 1);

  std::vector<double> oursLoad, theirsLoad, oursSave, theirsSave;
  gConfigFileFault = CountReplacements;
  int replacementsPerSave = 0;
  for (int r = 0; r < rounds; ++r) {
    double t = NowMs();
    LoadConfiguration(title.c_str());
    oursLoad.push_back(NowMs() - t);
    const float ourPitch = gDefaultEyePoint.axis[kEyePitch].value;

    t = NowMs();
    PlatformLoad(title.c_str());
    theirsLoad.push_back(NowMs() - t);
    if (gDefaultEyePoint.axis[kEyePitch].value != ourPitch) std::printf("loads disagree!\n");

    FillTable(2 * r + 1);
    gFileReplacements = 0;
    t = NowMs();
    SaveButtonAssignments();
    oursSave.push_back(NowMs() - t);
    replacementsPerSave = std::max(replacementsPerSave, gFileReplacements);

    FillTable(2 * r + 2);
    t = NowMs();
    PlatformSaveButtons();
    theirsSave.push_back(NowMs() - t);
  }
  gConfigFileFault = nullptr;

  std::printf("file: %u bytes, %d rounds, medians\n", static_cast<unsigned>(file.size()), rounds);
  std::printf("load  ours %9.3f ms   private-profile %9.3f ms   ratio %6.1fx\n", Median(oursLoad),
              Median(theirsLoad), Median(theirsLoad) / Median(oursLoad));
  std::printf("save  ours %9.3f ms   private-profile %9.3f ms   ratio %6.1fx\n", Median(oursSave),
              Median(theirsSave), Median(theirsSave) / Median(oursSave));
  std::printf("file replacements per SaveButtonAssignments: %d\n", replacementsPerSave);
  return 0;
}
