// The window and the store behind a setup dialog's commands, played by a
// script: every call is logged in order ("? " before a question), questions
// take the answers in turn ('Y' or 'N', then Yes), and the saves and flag
// writes named in `failing` ("save", "flag" or both) fail, each on its file.
#pragma once
#include <string>
#include <vector>

#include "setup/dialog_commands.h"

constexpr const char* kSettingsFile = "C:\\Data\\pivora\\pivora.ini";  // where a failed save fails
constexpr const char* kMarkerFile = "C:\\Data\\pivora\\somethingchanged.ini";  // a failed flag write

// The message that tells of a failed save, written out by hand.
inline std::string Failed(const std::string& file) {
  return "The configuration could not be saved to the file\n" + file +
         "\n\nAnother program may be holding it open. Close that program and try again.";
}

struct ScriptedHost {
  std::vector<std::string> log;
  const char* answers = "";
  std::string failing;

  DialogHost Host() { return DialogHost{this, Show, Ask, Take, Save, SetFlag, Reload, Refresh, Stop, End}; }

 private:
  static void Log(void* self, const std::string& call) { static_cast<ScriptedHost*>(self)->log.push_back(call); }
  static bool Fails(void* self, const char* what) {
    return static_cast<ScriptedHost*>(self)->failing.find(what) != std::string::npos;
  }
  static void Show(void* self, const char* text) { Log(self, text); }
  static bool Ask(void* self, const char* question) {
    Log(self, std::string("? ") + question);
    const char*& answers = static_cast<ScriptedHost*>(self)->answers;
    return *answers == '\0' || *answers++ == 'Y';
  }
  static void Take(void* self) { Log(self, "take"); }
  static const char* Save(void* self) {
    Log(self, "save");
    return Fails(self, "save") ? kSettingsFile : nullptr;
  }
  static const char* SetFlag(void* self, int value) {
    Log(self, "flag " + std::to_string(value));
    return Fails(self, "flag") ? kMarkerFile : nullptr;
  }
  static void Reload(void* self) { Log(self, "reload"); }
  static void Refresh(void* self) { Log(self, "refresh"); }
  static void Stop(void* self) { Log(self, "stop"); }
  static void End(void* self) { Log(self, "end"); }
};
