// The simulator's add-on list folder under the prefix's application data
// folder, shared by the removal program's and the install helper's tests.
// Tests that use it run under the CTest lock "fsx_addon_lists".
#pragma once
#include <string>

// %APPDATA%\microsoft\fsx, emptied for the test and given back as it was
// afterwards.
class SimulatorListFolder {
 public:
  SimulatorListFolder();
  ~SimulatorListFolder();
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
  std::string savedPath_;
};
