// Reads and crash-safe saves of the configuration files, and the store's
// saves on top of them, over an in-memory disk that refuses as Windows does.
#include "setup/configuration_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "setup/configuration_store.h"

namespace {

using Files = std::map<std::string, std::string>;

// Logs every step. refuse[step] = n refuses the first n asks of a step: a
// read or a move as a file another process holds; -1 refuses every ask, a
// read or a move in a way no wait mends. A write replaces the whole file.
struct ConfigDisk {
  Files files{};
  std::map<std::string, int> refuse{};
  std::string steps{}, open{};
  unsigned waitedMs = 0;

  static ConfigDisk& Of(void* context) { return *static_cast<ConfigDisk*>(context); }
  bool Ask(const char* step) {
    steps += (steps.empty() ? "" : " ") + std::string(step);
    int& left = refuse[step];
    if (left <= 0) return left == 0;
    --left;
    return false;
  }
  bool Open(const char* step, const char* path, bool create) {
    if (!Ask(step) || (!create && !files.count(path))) return false;
    open = path;
    if (create) files[path].clear();
    return true;
  }
  ConfigFileOps Ops() {
    return {this,
            [](void* c, const char* path, std::string* bytes) {
              ConfigDisk& d = Of(c);
              if (!d.Ask("read")) return d.refuse["read"] < 0 ? kConfigReadFailed : kConfigReadHeld;
              if (!d.files.count(path)) return kConfigReadMissing;
              *bytes = d.files[path];
              return kConfigReadDone;
            },
            [](void* c, const char* path, void**) { return Of(c).Open("create", path, true); },
            [](void* c, const char* path, void**) { return Of(c).Open("open", path, false); },
            [](void* c, void*, const std::string& text) {
              ConfigDisk& d = Of(c);
              if (!d.Ask("write")) return false;
              d.files[d.open] = text;
              return true;
            },
            [](void* c, void*) { return Of(c).Ask("end"); },
            [](void* c, void*) { return Of(c).Ask("flush"); },
            [](void* c, void*) { return Of(c).Ask("close"); },
            [](void* c, const char* from, const char* to) {
              ConfigDisk& d = Of(c);
              if (!d.Ask("move")) return d.refuse["move"] < 0 ? kMoveFailed : kMoveHeld;
              d.files[to] = d.files[from];
              d.files.erase(from);
              return kMoveDone;
            },
            [](void* c, const char* path) {
              Of(c).Ask("remove");
              Of(c).files.erase(path);
            },
            [](void* c, unsigned ms) { Of(c).waitedMs += ms; }, [](void*) { return 7ul; }};
  }
};

constexpr char kPath[] = "C:\\cfg\\pivora.ini", kMarker[] = "C:\\cfg\\somethingchanged.ini";
const char kOld[] = "[S]\r\nk=12345\r\n", kNew[] = "[S]\r\nk=1\r\n";
const IniWriteList kWrites = {{"S", "k", "1"}};
const std::string kSaved = "read create write flush close move";
const std::string kHeld9 = kSaved + " move move move move move move move move move";
const std::string kInPlace = " open write end flush close remove";

TEST(ConfigFile, ReadsAndSaves) {
  const struct {
    const char* behaviour;
    std::map<std::string, int> refuse;
    const char* after;  // kOld: the save says it failed
    std::string steps;
    unsigned waitedMs;
  } rows[] = {
      {"a save is one read and one replace", {}, kNew, kSaved, 0},
      {"a refused temporary file ends the save", {{"create", 1}}, kOld, "read create", 0},
      {"a failed write is never moved in", {{"write", 1}}, kOld, "read create write close remove", 0},
      {"an unflushed temporary file is never moved in", {{"flush", 1}}, kOld, "read create write flush close remove", 0},
      {"a failed close ends the save", {{"close", 1}}, kOld, "read create write flush close remove", 0},
      {"a read held four times is waited for", {{"read", 4}}, kNew, "read read read read " + kSaved, 20},
      {"a file held through five reads is never rewritten", {{"read", 5}}, kOld, "read read read read read", 20},
      {"an unreadable file is not waited for nor rewritten", {{"read", -1}}, kOld, "read", 0},
      {"a replace held once costs 5 ms", {{"move", 1}}, kNew, kSaved + " move", 5},
      {"a replace held past its last attempt, ~2 s, writes in place", {{"move", 10}}, kNew, kHeld9 + kInPlace, 1915},
      {"a replace that fails otherwise writes in place at once", {{"move", -1}}, kNew, kSaved + kInPlace, 0},
      {"a holder that shares no writing keeps the old text", {{"move", 99}, {"open", -1}}, kOld,
       kHeld9 + " open remove", 1915},
  };
  for (const auto& row : rows) {
    ConfigDisk disk{{{kPath, kOld}}, row.refuse};
    EXPECT_EQ(UpdateConfigFile(disk.Ops(), kPath, kWrites), row.after == kNew) << row.behaviour;
    EXPECT_EQ(disk.files, (Files{{kPath, row.after}})) << row.behaviour;
    EXPECT_EQ(disk.steps, row.steps) << row.behaviour;
    EXPECT_EQ(disk.waitedMs, row.waitedMs) << row.behaviour;
  }
  ConfigDisk disk{{{kPath, kNew}}};
  EXPECT_TRUE(UpdateConfigFile(disk.Ops(), kPath, kWrites));
  EXPECT_FALSE(UpdateConfigFile(disk.Ops(), "", kWrites)) << "no path: Application Data is unknown";
  EXPECT_EQ(disk.steps, "read") << "saving what the file holds writes nothing";
}

// Both files are tried, and the first one that kept its old text is named.
// A file in UTF-16, which is never rewritten, stands for one that can't be.
TEST(ConfigStore, BothFilesAreTriedAndTheFirstUnsavedIsNamed) {
  const std::string no = std::string("\xFF\xFE[\0S\0]\0", 8), flag = "[SETTINGS]\r\nDoingCalibration=";
  const auto files = [](std::string settings, std::string marker) { return Files{{kPath, settings}, {kMarker, marker}}; };
  const struct {
    bool (*save)();
    Files before, after;
    const char* unsaved;
  } rows[] = {
      {[] { return SetCalibrationFlag(0); }, files(no, flag + "1\r\n"), files(no, flag + "0\r\n"), kPath},
      {[] { return SaveSettings(); }, files(no, "[SETTINGS]\r\nChanged=7\r\n"), files(no, "[SETTINGS]\r\nChanged=0\r\n"),
       kPath},
      {[] { return SetCalibrationFlag(0); }, files(flag + "1\r\n", no), files(flag + "0\r\n", no), kMarker},
      {[] { return SetCalibrationFlag(0); }, files(no, no), files(no, no), kPath},
  };
  for (const auto& row : rows) {
    ConfigDisk disk{row.before};
    strcpy(gSettingsPath, kPath);
    strcpy(gMarkerPath, kMarker);
    gConfigFileOps = disk.Ops();
    EXPECT_FALSE(row.save()) << row.unsaved;
    EXPECT_EQ(disk.files, row.after) << row.unsaved;
    EXPECT_STREQ(gUnsavedFile, row.unsaved);
  }
  gConfigFileOps = ConfigFileOps{};
}

}  // namespace
