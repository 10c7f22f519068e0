// Stand-in for the uninstaller st6unst. It writes what it was given into
// "st6unst_record.txt" in its current folder:
//
//   command=<its command line exactly>
//   folder=<its current folder>
//   show=<wShowWindow if STARTF_USESHOWWINDOW was set, else -1>
//
// If the test has created the event "PivoraTestSt6unstRelease", it then
// waits for it (so a test can see that unrigger has ended while the
// uninstaller still runs) and appends "ended" once released, or "timeout".
#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char folder[MAX_PATH * 2] = "";
  GetCurrentDirectoryA(sizeof folder, folder);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  // Open the event before writing, so a test that sees the record knows the
  // stand-in has already decided whether to wait.
  HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, "PivoraTestSt6unstRelease");
  if (FILE* record = std::fopen("st6unst_record.txt", "ab")) {
    std::fprintf(record, "command=%s\nfolder=%s\nshow=%d\n", GetCommandLineA(), folder,
                 (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1);
    std::fclose(record);
  }
  if (release == nullptr) return 0;
  const DWORD result = WaitForSingleObject(release, 30000);
  if (FILE* record = std::fopen("st6unst_record.txt", "ab")) {
    std::fputs(result == WAIT_OBJECT_0 ? "ended\n" : "timeout\n", record);
    std::fclose(record);
  }
  return 0;
}
