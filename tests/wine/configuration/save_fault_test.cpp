// Saves interrupted at every step, through the file layer's fault seam, and
// saves that meet a file held by another process. Whatever happens, each
// file is whole (its old text or its new text, never a mix or a stump), a
// save says true exactly when its files hold the new text, and no temporary
// file stays behind. The store's paths point into a scratch folder, so the
// real Application Data folder is never touched.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/wine/common/wine_helpers.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "setup/configuration.h"
#include "setup/configuration_file_win.h"
#include "setup/configuration_store.h"
#include "setup/replace_file_win.h"

namespace {

// The fault plan: the n-th step asked (1-based) fails, or every ask of one
// kind of step fails, or a replace fails a given number of times; and what
// the run asked and waited.
struct Plan {
  int failAtStep = 0;
  ConfigFileStep failKind = kFileStepCount;
  int replaceFailures = 0;
  std::vector<ConfigFileStep> steps;
  unsigned waitedMs = 0;
} gPlan;
// Another process's handles, as NTFS sees them: no replace while one is open.
HANDLE gHolders[2] = {INVALID_HANDLE_VALUE, INVALID_HANDLE_VALUE};

bool FaultPlan(ConfigFileStep step) {
  gPlan.steps.push_back(step);
  if (int(gPlan.steps.size()) == gPlan.failAtStep || step == gPlan.failKind) return false;
  if (step != kFileStepReplace) return true;
  if (gHolders[0] != INVALID_HANDLE_VALUE || gHolders[1] != INVALID_HANDLE_VALUE) return false;
  if (gPlan.replaceFailures == 0) return true;
  --gPlan.replaceFailures;
  return false;
}

// Which files the run replaced, in the order it updated them, told by the
// steps asked alone: an update begins with an open (a refused open is asked
// again at once) and its file is new once a replace step went through.
std::vector<bool> FilesReplaced() {
  const std::vector<ConfigFileStep>& steps = gPlan.steps;
  std::vector<bool> replaced;
  for (size_t i = 0; i < steps.size(); ++i) {
    if (steps[i] == kFileStepOpen && (i == 0 || steps[i - 1] != kFileStepOpen)) replaced.push_back(false);
    if (steps[i] == kFileStepReplace && int(i) + 1 != gPlan.failAtStep && !replaced.empty()) replaced.back() = true;
  }
  return replaced;
}

std::string Apply(const std::string& old, const IniWriteList& writes) {
  IniDocument doc;
  ParseIniDocument(old, &doc);
  ApplyIniWrites(&doc, writes);
  return SerializeIniDocument(doc);
}

const char kOldSettings[] =
    "[SETTINGS]\r\nDoingCalibration=1\r\nquorixmode=1\r\n\r\n[Button_3]\r\nassigned=1\r\nkeycode=65\r\n\r\n"
    "[Cessna 172]\r\nipitch=4\r\n";
const char kOldMarker[] = "[SETTINGS]\r\nDoingCalibration=1\r\nChanged=7\r\n";

class SaveFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    settings_ = folder_ / "pivora.ini";
    marker_ = folder_ / "somethingchanged.ini";
    strcpy(gSettingsPath, settings_.c_str());
    strcpy(gMarkerPath, marker_.c_str());
    gPlan = Plan();
    gConfigFileFault = FaultPlan;
    // Counted, not slept: the retries of a refused replace cost no time here.
    gReplaceWait = [](unsigned ms) { gPlan.waitedMs += ms; };
  }
  void TearDown() override {
    gConfigFileFault = nullptr;
    gReplaceWait = nullptr;
  }

  // Both files at their old text, and a fresh plan.
  void Fresh() {
    WriteBytes(settings_, kOldSettings);
    WriteBytes(marker_, kOldMarker);
    gPlan = Plan();
  }
  void ExpectNoStrayFiles(const std::string& context) const {
    for (const auto& file : ReadFolderFiles(folder_.path())) {
      EXPECT_TRUE(file.first == "pivora.ini" || file.first == "somethingchanged.ini") << context << ": stray " << file.first;
    }
  }

  ScratchFolder folder_{"fault"};
  std::string settings_, marker_;
};

struct Operation {
  const char* name;
  std::function<bool()> run;
  IniWriteList settingsWrites;  // what it writes into each file
  IniWriteList markerWrites;
  std::string NewSettings() const { return Apply(kOldSettings, settingsWrites); }
  std::string NewMarker() const { return markerWrites.empty() ? kOldMarker : Apply(kOldMarker, markerWrites); }
};

std::vector<Operation> Operations() {
  gModuleSettings = kDefaultModuleSettings;
  gModuleSettings.axis[kAxisRY].nullzone = 33;
  for (int a = 0; a < kAxisCount; ++a) gAxisCalibration[a] = {-100 - a, 200 + a};
  for (ButtonAssignment& b : gButtonAssignments) b = ButtonAssignment{};
  gButtonAssignments[9] = {1, 0, 1, 0, 0, 0, 0, 0, 0};
  static const char* const texts[kEyePointTextCount] = {"1", "5", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
  return {
      {"SetCalibrationFlag", [] { return SetCalibrationFlag(0); }, CalibrationFlagWrites(0), CalibrationFlagWrites(0)},
      {"SaveSettings", [] { return SaveSettings(); }, SettingsWrites(gModuleSettings), ChangedFlagWrites()},
      {"SaveCalibration", [] { return SaveCalibration(); }, CalibrationWrites(gAxisCalibration), {}},
      {"SaveButtonAssignments", [] { return SaveButtonAssignments(); }, ButtonAssignmentWrites(gButtonAssignments), {}},
      {"SaveDefaultEyePoint", [] { return SaveDefaultEyePoint("Cessna 172", texts); },
       DefaultEyePointWrites("Cessna 172", texts), {}},
  };
}

// Fails the first, second, third... step asked until an operation runs
// through untouched; after each run every file is old or new, whole.
TEST_F(SaveFaults, EveryStepOfEverySave) {
  for (const Operation& op : Operations()) {
    const std::string newSettings = op.NewSettings();
    const std::string newMarker = op.NewMarker();
    for (int failAt = 1;; ++failAt) {
      Fresh();
      gPlan.failAtStep = failAt;
      const bool saved = op.run();
      const std::string context = std::string(op.name) + ", step " + std::to_string(failAt) + " fails";
      const std::string settings = Bytes(settings_);
      const std::string marker = Bytes(marker_);
      const std::vector<bool> replaced = FilesReplaced();
      EXPECT_EQ(settings, !replaced.empty() && replaced[0] ? newSettings : kOldSettings) << context;
      EXPECT_EQ(marker, replaced.size() > 1 && replaced[1] ? newMarker : kOldMarker) << context;
      EXPECT_EQ(saved, settings == newSettings && marker == newMarker) << context;
      // The file named is the first one the save could not replace.
      const char* const unsaved = saved ? nullptr : !replaced.empty() && replaced[0] ? gMarkerPath : gSettingsPath;
      EXPECT_EQ(gUnsavedFile, unsaved) << context;
      ExpectNoStrayFiles(context);
      if (failAt > int(gPlan.steps.size())) {
        EXPECT_EQ(settings, newSettings) << op.name << " without a fault";
        EXPECT_EQ(marker, newMarker) << op.name << " without a fault";
        break;
      }
    }
  }
}

// Each kind of step failing every time it is asked. A replace refused to
// the end still saves, in place; the in-place open alone is never asked.
TEST_F(SaveFaults, EachKindOfStepFailingEveryTime) {
  for (int kind = 0; kind < kFileStepCount; ++kind) {
    const bool saves = kind == kFileStepReplace || kind == kFileStepOpenInPlace;
    for (const Operation& op : Operations()) {
      Fresh();
      gPlan.failKind = static_cast<ConfigFileStep>(kind);
      const std::string context = std::string(op.name) + ", step kind " + std::to_string(kind);
      EXPECT_EQ(op.run(), saves) << context;
      EXPECT_EQ(Bytes(settings_), saves ? op.NewSettings() : kOldSettings) << context;
      EXPECT_EQ(Bytes(marker_), saves ? op.NewMarker() : kOldMarker) << context;
      ExpectNoStrayFiles(context);
    }
  }
}

TEST_F(SaveFaults, TheSaveIsOneReadAndOneWrite) {
  Fresh();
  SaveButtonAssignments();
  const std::vector<ConfigFileStep> expected = {kFileStepOpen,  kFileStepRead,  kFileStepCreateTemp, kFileStepWrite,
                                                kFileStepFlush, kFileStepClose, kFileStepReplace};
  EXPECT_EQ(gPlan.steps, expected);
  // Saving what the file already holds writes nothing.
  gPlan = Plan();
  SaveButtonAssignments();
  EXPECT_EQ(gPlan.steps, (std::vector<ConfigFileStep>{kFileStepOpen, kFileStepRead}));
}

TEST_F(SaveFaults, AHeldReplaceWaitsAboutTwoSecondsThenWritesInPlace) {
  for (const bool inPlace : {false, true}) {
    Fresh();
    // All but the last attempt refused, or that one too.
    gPlan.replaceFailures = kReplaceRetryWaits + (inPlace ? 1 : 0);
    EXPECT_TRUE(SaveCalibration());
    EXPECT_EQ(Bytes(settings_), Apply(kOldSettings, CalibrationWrites(gAxisCalibration)));
    EXPECT_EQ(std::count(gPlan.steps.begin(), gPlan.steps.end(), kFileStepOpenInPlace), inPlace ? 1 : 0);
    EXPECT_EQ(gPlan.steps.back() == kFileStepOpenInPlace, inPlace);
    EXPECT_GE(gPlan.waitedMs, 1500u);
    EXPECT_LE(gPlan.waitedMs, 2500u);
    ExpectNoStrayFiles(inPlace ? "written in place" : "replaced at the last attempt");
  }
  // Only a held target is waited for.
  gPlan = Plan();
  EXPECT_FALSE(MoveOverWithRetry((folder_ / "none.tmp").c_str(), settings_.c_str(), nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(gPlan.waitedMs, 0u);
}

// Real handles of another opener on both files, and the replace refused
// while they are open, as NTFS refuses it. A holder that shares writing
// gets the new text written under it; one that shares only reading keeps
// the old text, and the save says it failed.
TEST_F(SaveFaults, AFileHeldOpenAsOnNtfs) {
  const struct {
    DWORD holderSharing;
    bool saved;
  } rows[] = {{FILE_SHARE_READ | FILE_SHARE_WRITE, true}, {FILE_SHARE_READ, false}};
  for (const auto& row : rows) {
    for (const Operation& op : Operations()) {
      Fresh();
      const std::string* paths[2] = {&settings_, &marker_};
      for (int i = 0; i < 2; ++i) {
        gHolders[i] = CreateFileA(paths[i]->c_str(), GENERIC_READ, row.holderSharing, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(gHolders[i], INVALID_HANDLE_VALUE);
      }
      const bool saved = op.run();
      const std::string settings = Bytes(settings_);
      const std::string marker = Bytes(marker_);
      for (HANDLE& holder : gHolders) {
        CloseHandle(holder);
        holder = INVALID_HANDLE_VALUE;
      }
      const std::string context = std::string(op.name) + (row.saved ? ", holder shares writing" : ", holder reads only");
      EXPECT_EQ(saved, row.saved) << context;
      EXPECT_EQ(settings, row.saved ? op.NewSettings() : kOldSettings) << context;
      EXPECT_EQ(marker, row.saved ? op.NewMarker() : kOldMarker) << context;
      EXPECT_EQ(gUnsavedFile, row.saved ? nullptr : gSettingsPath) << context;
      ExpectNoStrayFiles(context);
    }
  }
}

// Without faults: a read shares with a writer that shares; files we cannot
// read are never rewritten.
TEST_F(SaveFaults, ReadsShareAndUnreadableFilesAreNeverRewritten) {
  gConfigFileFault = nullptr;
  WriteBytes(settings_, kOldSettings);
  HANDLE writer = CreateFileA(settings_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  IniDocument doc;
  EXPECT_EQ(ReadConfigFile(settings_.c_str(), &doc), kConfigFileRead);
  CloseHandle(writer);
  EXPECT_EQ(ReadIniInt(doc, "settings", "quorixmode", 0), 1);
  EXPECT_EQ(ReadConfigFile((folder_ / "none.ini").c_str(), &doc), kConfigFileMissing);
  // Held open for writing by another process with no sharing at all.
  HANDLE holder = CreateFileA(settings_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(UpdateConfigFile(settings_.c_str(), CalibrationFlagWrites(0)));
  CloseHandle(holder);
  EXPECT_EQ(Bytes(settings_), kOldSettings);
  // UTF-16 text, which we do not decode.
  const std::string utf16("\xFF\xFE[\0S\0]\0", 8);
  WriteBytes(settings_, utf16);
  EXPECT_FALSE(UpdateConfigFile(settings_.c_str(), CalibrationFlagWrites(0)));
  EXPECT_EQ(Bytes(settings_), utf16);
  // A folder where the file should be.
  DeleteFileA(settings_.c_str());
  CreateDirectoryA(settings_.c_str(), nullptr);
  EXPECT_FALSE(UpdateConfigFile(settings_.c_str(), CalibrationFlagWrites(0)));
  RemoveDirectoryA(settings_.c_str());
  ExpectNoStrayFiles("unreadable files");
  // No path at all (the Application Data folder was unknown).
  EXPECT_FALSE(UpdateConfigFile("", CalibrationFlagWrites(0)));
}

}  // namespace
