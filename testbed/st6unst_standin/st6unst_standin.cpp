// Stand-in for the uninstaller st6unst. It writes what it was given into
// "st6unst_record.txt" in its current folder:
//
//   command=<its command line exactly>
//   folder=<its current folder>
//   show=<wShowWindow if STARTF_USESHOWWINDOW was set, else -1>
//
// If the test has created the event kReleaseEventName, it then waits for it
// (so a test can see that unrigger has ended while the uninstaller still
// runs) and appends "ended" once released, or "timeout".
#include <windows.h>

#include <cstdio>

namespace {

constexpr const char* kRecordName = "st6unst_record.txt";
constexpr const char* kReleaseEventName = "PivoraTestSt6unstRelease";
constexpr DWORD kReleaseWaitMs = 30000;

void Append(const char* text) {
  FILE* record = std::fopen(kRecordName, "ab");
  if (record == nullptr) return;
  std::fputs(text, record);
  std::fclose(record);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char folder[MAX_PATH * 2] = "";
  GetCurrentDirectoryA(sizeof folder, folder);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;

  // Open the event before writing, so a test that sees the record knows the
  // stand-in has already decided whether to wait.
  HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, kReleaseEventName);
  char text[4096];
  std::snprintf(text, sizeof text, "command=%s\nfolder=%s\nshow=%d\n", GetCommandLineA(), folder,
                show);
  Append(text);
  if (release != nullptr) {
    DWORD result = WaitForSingleObject(release, kReleaseWaitMs);
    Append(result == WAIT_OBJECT_0 ? "ended\n" : "timeout\n");
    CloseHandle(release);
  }
  return 0;
}
