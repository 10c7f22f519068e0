// Profile reads of setup.lst.
//
// The profile function is looked up when first needed rather than imported,
// so that a kernel32 without it gives the user an error message instead of a
// program that won't load at all.
#include "remover/setup_list_win.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr const char* kProgramName = "unrigger";

using GetProfileStringProc = DWORD(WINAPI*)(LPCSTR, LPCSTR, LPCSTR, LPSTR, DWORD, LPCSTR);

GetProfileStringProc gGetProfileString = nullptr;

void ShowPlatformError(DWORD error) {
  char text[512] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                 text, sizeof text, nullptr);
  char message[600];
  std::snprintf(message, sizeof message, "%lu - %s", static_cast<unsigned long>(error), text);
  MessageBoxA(nullptr, message, kProgramName, MB_OK);
}

bool BindProfileRead() {
  if (gGetProfileString != nullptr) return true;
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  FARPROC proc = kernel != nullptr ? GetProcAddress(kernel, "GetPrivateProfileStringA") : nullptr;
  if (proc == nullptr) {
    ShowPlatformError(GetLastError());
    return false;
  }
  gGetProfileString = reinterpret_cast<GetProfileStringProc>(reinterpret_cast<void*>(proc));
  return true;
}

}  // namespace

std::string leggistringa(const std::string& sezione, const std::string& Voce,
                         const std::string& default_, const std::string& nomeini) {
  if (!BindProfileRead()) return std::string();
  char buffer[kProfileBufferChars] = "";
  DWORD returned = gGetProfileString(sezione.c_str(), Voce.c_str(), default_.c_str(), buffer,
                                     kProfileStatedChars, nomeini.c_str());
  return ProfileValue(buffer, returned);
}

SetupKeys ReadSetupKeys(const std::string& setupListPath) {
  SetupKeys keys;
  keys.type = leggistringa(kSetupSection, kTypeKey, "", setupListPath);
  keys.core = leggistringa(kSetupSection, kCoreKey, "", setupListPath);
  keys.title = leggistringa(kSetupSection, kTitleKey, "", setupListPath);
  return keys;
}
