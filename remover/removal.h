// The removal that runs when the user confirms: take the add-on's entry out
// of the simulator's add-on list, keep a backup of the list, start the
// uninstaller.
//
// Every file step goes through RemovalFileOps so that the order of the steps
// and their failures can be exercised without a disk.
#pragma once
#include <cstddef>
#include <string>

#include "remover/removal_names.h"

struct RemovalFileOps {
  void* context;
  // A file, not a folder, that is neither hidden nor a system file.
  bool (*FileExists)(void* context, const std::string& path);
  // Whole contents; false when the file can't be opened or read through.
  bool (*ReadWholeFile)(void* context, const std::string& path, std::string* contents);
  // Creates the file empty and writes `contents`; false unless every byte
  // reached the file (not created, failed or short write).
  bool (*WriteNewFile)(void* context, const std::string& path, const std::string& contents);
  // Copies over an existing target.
  bool (*CopyOver)(void* context, const std::string& from, const std::string& to);
  bool (*RemoveFile)(void* context, const std::string& path);
  // Starts the command line as a new process, minimized, without waiting.
  bool (*StartProgram)(void* context, const std::string& commandLine);
};

// What the removal did; the program itself shows none of it.
struct RemovalReport {
  std::string listPath;          // empty when Type/Core were empty or Type unknown
  bool staleTemporaryDeleted;    // a .new left from an earlier run was removed
  std::size_t lastMatch;         // line of the entry, 0 when none was found
  bool temporaryComplete;        // the rewritten list reached the .new file whole
  bool backupMade;
  bool listReplaced;
  bool uninstallerStarted;
};

RemovalReport RunRemoval(const SetupKeys& keys, const std::string& appDataFolder,
                         const RemovalFileOps& ops);
