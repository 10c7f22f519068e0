// Helpers shared by every test program that runs under Wine: whole files,
// scratch folders, the prefix's configuration folder, other programs, their
// windows and waiting with a deadline.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>

bool WriteBytes(const std::string& path, const std::string& bytes);
// Reads while other handles may read, write or delete the file.
bool ReadBytes(const std::string& path, std::string* bytes);
// The file's bytes, or "<missing>" when it cannot be opened.
std::string Bytes(const std::string& path);
// Files of a folder (subfolders as "name\" -> "<folder>"), name -> bytes.
using FolderFiles = std::map<std::string, std::string>;
FolderFiles ReadFolderFiles(const std::string& folder);
void DeleteFolderTree(const std::string& folder);

// A fresh folder under the temporary folder, removed with its contents.
// Wine reuses process ids and a killed run leaves its folder behind, so
// names are tried until one is free.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name = "scratch");
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

// The configuration folder under the prefix's Application Data folder, set
// aside for the length of a test and put back afterwards. Tests that use it
// run under the CTest lock "appdata".
class AppDataFolder {
 public:
  AppDataFolder();
  ~AppDataFolder();
  AppDataFolder(const AppDataFolder&) = delete;
  AppDataFolder& operator=(const AppDataFolder&) = delete;
  // "...\pivora" without the trailing backslash.
  const std::string& Path() const { return folder_; }
  std::string File(const char* name) const { return folder_ + "\\" + name; }
  // Writes a file into the folder, creating the folder first.
  bool Put(const char* name, const std::string& bytes) const;

 private:
  std::string folder_;
  std::string aside_;
  bool movedAside_ = false;
};

// Polls `done` every few milliseconds until it holds or `maxMs` has passed;
// returns `done()`. Does not pump this thread's messages.
bool WaitUntil(DWORD maxMs, const std::function<bool()>& done);

// A program started from the test, ended by force if still running when the
// object goes.
class Program {
 public:
  Program() = default;
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  // Runs `path` with `arguments` (already quoted) in `folder` (null: ours);
  // with `captureOutput` its standard output and error are collected.
  bool Start(const std::string& path, const std::string& arguments, const char* folder = nullptr,
             bool captureOutput = false);
  // True once the program has ended (its output read to the end).
  bool WaitForExit(DWORD maxMs = 20000);
  // The exit code once ended, else STILL_ACTIVE.
  DWORD ExitCode() const;
  const std::string& Output() const { return output_; }
  DWORD ThreadId() const { return process_.dwThreadId; }
  HANDLE Handle() const { return process_.hProcess; }
  // A top-level window of the program with this class (visible, unless
  // `visibleOnly` is false), waited for up to `maxMs`; null if the program
  // ends first or the time runs out.
  HWND WaitForWindow(const char* className, bool visibleOnly = true, DWORD maxMs = 20000) const;

 private:
  void ReadOutput();
  PROCESS_INFORMATION process_ = {};
  HANDLE output_pipe_ = nullptr;
  std::string output_;
};

// Runs a program to its end; its exit code, or -1 if it had not ended
// after `maxMs` (it is then ended by force).
long RunToExit(const std::string& path, const std::string& arguments, DWORD maxMs,
               std::string* output = nullptr);

// A visible dialog of this process with this caption.
HWND FindOwnDialog(const char* caption);
// The window's text, asked without hanging on a hung owner.
std::string WindowText(HWND window);

