// The install helper's steps, in both directions: putting Pivora into the
// simulator and taking it out again. Portable: every file, folder, registry
// and window step goes through HelperOps, so the steps and their failures
// run natively against an in-memory machine.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "remover/file_ops.h"

constexpr int kExitDone = 0;
constexpr int kExitMissing = 1;  // something could not be done; the output says what
constexpr int kExitUsage = 2;

struct HelperOptions {
  std::string sim;         // --sim, made a full path by the caller
  std::string simconnect;  // --simconnect
  std::string winsxs;      // --winsxs
  bool pause = true;       // off with --no-pause
  bool remove = false;     // --remove
  bool purge = false;      // --purge, with --remove only
};

// What the platform tells the helper about where it runs.
struct HelperPlaces {
  std::string programFolder;  // the folder of pivora-install.exe
  std::string appData;        // the user's application data folder; "" when there is none
  std::string windowsFolder;
};

struct HelperOps {
  FileOps files;  // its context is passed to every operation below
  bool (*FolderExists)(void* context, const std::string& path);
  // True when the folder exists afterwards.
  bool (*MakeFolder)(void* context, const std::string& path);
  // Removes an empty folder.
  bool (*RemoveFolder)(void* context, const std::string& path);
  // Names of the files, or with `folders` of the subfolders, in `folder`.
  std::vector<std::string> (*FolderEntries)(void* context, const std::string& folder, bool folders);
  // A value under the simulator's registry key, of the user (`machine`
  // false) or of the machine; "" when absent.
  std::string (*SimulatorRegistryValue)(void* context, bool machine, const char* value);
  bool (*WindowExists)(void* context, const char* className);
  // Asks the window of the class to close and waits a bounded time for its
  // program to end; true when it is gone.
  bool (*CloseWindowAndWait)(void* context, const char* className);
  // One line of the helper's report.
  void (*Say)(void* context, const std::string& line);
};

// Reads the command line (without the program's name). For an unknown
// option, a missing value or --purge without --remove it says the usage and
// returns false: the program then ends with kExitUsage.
bool ReadHelperOptions(const std::vector<std::string>& arguments, const HelperOps& ops, HelperOptions* options);

// The text of a value read from the simulator's registry key, `size` bytes
// of `data`: only the string types (REG_SZ 1, REG_EXPAND_SZ 2) name a
// folder; the text ends at its first NUL. "" for any other type.
std::string RegistryValueText(unsigned long type, const char* data, std::size_t size);

// Runs the install or, with --remove, the removal, and returns the exit code.
int RunHelper(const HelperOptions& options, const HelperPlaces& places, const HelperOps& ops);
