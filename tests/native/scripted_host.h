// The window and the store behind a setup dialog's commands, played by a
// script: every call is logged in order ("? " before a question), questions
// take the answers in turn ('Y' or 'N', then Yes), and the saves and flag
// writes named in `failing` ("save", "flag" or both) fail, each on its file.
#pragma once
#include <string>
#include <vector>

#include "setup/dialog_commands.h"

constexpr const char* kSettingsFile = "C:\\Data\\pivora\\pivora.ini";          // where a failed save fails
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

  static ScriptedHost& Of(void* self) { return *static_cast<ScriptedHost*>(self); }
  const char* Store(const std::string& call, const char* file) {
    log.push_back(call);
    return failing.find(call.substr(0, 4)) != std::string::npos ? file : nullptr;
  }
  DialogHost Host() {
    return DialogHost{
        this,
        [](void* s, const char* text) { Of(s).log.push_back(text); },
        [](void* s, const char* question) {
          Of(s).log.push_back(std::string("? ") + question);
          const char*& answers = Of(s).answers;
          return *answers == '\0' || *answers++ == 'Y';
        },
        [](void* s) { Of(s).log.push_back("take"); },
        [](void* s) { return Of(s).Store("save", kSettingsFile); },
        [](void* s, int value) { return Of(s).Store("flag " + std::to_string(value), kMarkerFile); },
        [](void* s) { Of(s).log.push_back("reload"); },
        [](void* s) { Of(s).log.push_back("refresh"); },
        [](void* s) { Of(s).log.push_back("stop"); },
        [](void* s) { Of(s).log.push_back("end"); },
    };
  }
};
