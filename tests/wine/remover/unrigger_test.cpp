// The real unrigger.exe, driven from another process as the user would: what
// only Win32 shows. Which file the start-up checks report, the texts, the
// file steps and their failures are native rows; what counts as a file and
// which keys and commands run the removal are in-process rows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/wine/common/wine_helpers.h"
#include "tests/wine/remover/simulator_list_folder.h"

namespace {

using namespace std::string_literals;

constexpr const char* kCaption = "Application removal";
constexpr const char* kTail = " and all its components will be removed. Do you wish to continue?";

// Puts unrigger.exe and the stand-in st6unst.exe into `folder`.
bool InstallUnrigger(const std::string& folder) {
  return CopyFileA(UNRIGGER_EXE_PATH, (folder + "\\unrigger.exe").c_str(), FALSE) &&
         CopyFileA(ST6UNST_STANDIN_PATH, (folder + "\\st6unst.exe").c_str(), FALSE);
}

std::string SetupList(const std::string& title, const char* core) {
  return "[Bootstrap]\r\nSetupTitle=Install\r\n\r\n[Setup]\r\nTitle=" + title + "\r\nType=DLL\r\nCore=" + core +
         "\r\n\r\n[Setup1 Files]\r\nFile1=@pivora.dll,$(AppPath)\r\n";
}

// Keeps the stand-in uninstaller running until released, so that a test can
// see that unrigger ended without waiting for it.
class UninstallerHold {
 public:
  UninstallerHold() : event_(CreateEventA(nullptr, TRUE, FALSE, "PivoraTestSt6unstRelease")) {}
  ~UninstallerHold() {
    Release();
    CloseHandle(event_);
  }
  void Release() { SetEvent(event_); }

 private:
  HANDLE event_;
};

// Waits until the record the stand-in writes into its current folder holds
// `mark` and ends a line: its command line, folder and show command once
// started, then "ended" once released.
bool WaitForUninstallerRecord(const std::string& folder, const char* mark, std::string* record) {
  return WaitUntil(20000, [&] {
    return ReadBytes(folder + "\\st6unst_record.txt", record) && record->find(mark) != std::string::npos &&
           record->back() == '\n';
  });
}

struct MessageBoxSeen {
  std::string caption;
  std::string text;
  int buttons = 0;
  bool hasIcon = false;
  HWND ok = nullptr;
};

BOOL CALLBACK InspectBoxChild(HWND child, LPARAM parameter) {
  auto* seen = reinterpret_cast<MessageBoxSeen*>(parameter);
  char className[64] = "";
  GetClassNameA(child, className, sizeof className);
  if (!IsWindowVisible(child)) return TRUE;
  if (lstrcmpiA(className, "Button") == 0) {
    ++seen->buttons;
    if (GetDlgCtrlID(child) == IDOK) seen->ok = child;
  } else if (lstrcmpiA(className, "Static") == 0) {
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      // The box keeps its icon control even when it shows no icon.
      if (SendMessageA(child, STM_GETICON, 0, 0) != 0) seen->hasIcon = true;
    } else if (!WindowText(child).empty()) {
      seen->text = WindowText(child);
    }
  }
  return TRUE;
}

// Reads the box's caption, text and buttons, then presses its OK.
MessageBoxSeen AnswerMessageBox(HWND box) {
  MessageBoxSeen seen;
  seen.caption = WindowText(box);
  EnumChildWindows(box, InspectBoxChild, reinterpret_cast<LPARAM>(&seen));
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(seen.ok));
  return seen;
}

// unrigger.exe started from `programFolder` in `workingFolder`.
struct UnriggerRun : Program {
  UnriggerRun(const std::string& programFolder, const std::string& workingFolder) {
    Start(programFolder + "\\unrigger.exe", "", workingFolder.c_str());
  }
};

// The log is looked for in the current folder, not in the program's.
TEST(UnriggerStartup, LogOnlyInTheProgramFolderEndsTheProgramWithOneMessage) {
  SimulatorListFolder lists;
  const std::string listBytes = "<Path>pivora\\pivora.dll</Path>\r\n";
  ASSERT_TRUE(WriteBytes(lists / "dll.xml", listBytes));
  UninstallerHold hold;
  ScratchFolder program("program");
  ScratchFolder working("working");
  ASSERT_TRUE(InstallUnrigger(program.path()));
  const std::string setup = SetupList("Pivora", "pivora.dll");
  ASSERT_TRUE(WriteBytes(program / "setup.lst", setup));
  ASSERT_TRUE(WriteBytes(working / "setup.lst", setup));
  ASSERT_TRUE(WriteBytes(program / "ST6UNST.LOG", "log"));
  const FolderFiles before = ReadFolderFiles(working.path());

  UnriggerRun run(program.path(), working.path());
  HWND box = run.WaitForWindow("#32770");
  ASSERT_NE(box, nullptr) << "no message box";
  HWND main = run.WaitForWindow("main", false, 0);
  EXPECT_TRUE(main == nullptr || !IsWindowVisible(main));
  MessageBoxSeen seen = AnswerMessageBox(box);
  EXPECT_EQ(seen.caption, kCaption);
  EXPECT_EQ(seen.text, "ST6UNST.LOG not found or removed, cannot continue");
  EXPECT_EQ(seen.buttons, 1);
  EXPECT_FALSE(seen.hasIcon);

  // One message only: after it the program ends.
  ASSERT_TRUE(run.WaitForExit());
  EXPECT_EQ(ReadFolderFiles(working.path()), before) << "uninstaller started or files touched";
  EXPECT_EQ(ReadFolderFiles(lists.path()), (FolderFiles{{"dll.xml", listBytes}}));
}

std::vector<LONG> PlaceInParent(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// The window as designed: texts, layout, centred, tab order, focus on OK.
void ExpectDesignedWindow(HWND main, DWORD threadId, const std::string& label) {
  EXPECT_EQ(WindowText(main), kCaption);
  HWND text = GetDlgItem(main, 100);
  HWND ok = GetDlgItem(main, IDOK);
  HWND cancel = GetDlgItem(main, IDCANCEL);
  ASSERT_TRUE(text && ok && cancel);
  EXPECT_EQ(WindowText(text), label);
  EXPECT_EQ(WindowText(ok), "OK");
  EXPECT_EQ(WindowText(cancel), "Cancel");
  RECT client, outer;
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 382);
  EXPECT_EQ(client.bottom, 111);
  EXPECT_EQ(PlaceInParent(text), (std::vector<LONG>{4, 4, 373, 45}));
  EXPECT_EQ(PlaceInParent(ok), (std::vector<LONG>{72, 68, 105, 29}));
  EXPECT_EQ(PlaceInParent(cancel), (std::vector<LONG>{212, 68, 105, 29}));
  GetWindowRect(main, &outer);
  EXPECT_EQ(outer.top, GetSystemMetrics(SM_CYSCREEN) / 2 - (outer.bottom - outer.top) / 2);
  EXPECT_EQ(outer.left, GetSystemMetrics(SM_CXSCREEN) / 2 - (outer.right - outer.left) / 2);
  // Tab order: OK first, then Cancel; the label takes no stop.
  EXPECT_TRUE(GetWindowLongA(ok, GWL_STYLE) & WS_TABSTOP);
  EXPECT_TRUE(GetWindowLongA(cancel, GWL_STYLE) & WS_TABSTOP);
  EXPECT_FALSE(GetWindowLongA(text, GWL_STYLE) & WS_TABSTOP);
  EXPECT_EQ(GetWindow(ok, GW_HWNDNEXT), cancel);
  GUITHREADINFO thread = {};
  thread.cbSize = sizeof thread;
  ASSERT_TRUE(GetGUIThreadInfo(threadId, &thread));
  EXPECT_EQ(thread.hwndFocus, ok);
}

// Lone LF inside a line, lone CR as a break, high bytes, a NUL and no break
// after the last line: all of it must survive the rewrite as bytes.
const std::string kOddList =
    "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n"
    "<SimBase.Document Type=\"Launch\">\r"
    "  <Descr>caf\xe9\nlaunch</Descr>\r\n"
    "  <Launch.Addon>\r\n"
    "    <Name>Pivora</Name>\r\n"
    "    <Disabled>False</Disabled>\r\n"
    "    <Path>pivora\\pivora.dll</Path>\r\n"
    "  </Launch.Addon>\r\n"
    "  <Launch.Addon><Path>x\0y</Path></Launch.Addon>\r"
    "</SimBase.Document>"s;
const std::string kOddListRewritten =
    "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n"
    "<SimBase.Document Type=\"Launch\">\r\n"
    "  <Descr>caf\xe9\r\nlaunch</Descr>\r\n"
    "  <Launch.Addon><Path>x\0y</Path></Launch.Addon>\r\n"
    "</SimBase.Document>\r\n"s;
// The Core text outside every entry: nothing is safe to drop.
const std::string kNoEntry = "<a>\r\n<Path>other\\other.dll</Path>\r\n</a>\r\n";

// The window, then OK. The setup list is read from the program's folder, a
// Title longer than the profile read takes is cut to 249 characters, the
// uninstaller starts minimized in the current folder, and unrigger does not
// wait for it.
TEST(UnriggerRemoval, OkEditsTheListAndStartsTheUninstaller) {
  const struct {
    const char* name;
    std::string title;
    const char* core;
    FolderFiles listsBefore;
    FolderFiles listsAfter;
    const char* message;  // a box the removal shows, in part
  } cases[] = {
      {"entry removed, backup made, stale temporary gone", "Pivora", "PIVORA\\PIVORA.DLL",
       {{"dll.xml", kOddList}, {"dll.xml.new", "stale"}},
       {{"dll.xml", kOddListRewritten}, {"dll.xml.before_Pivora_removal", kOddList}}, nullptr},
      {"Core outside every entry: list left, user told", std::string(300, 'T'), "other.dll",
       {{"dll.xml", kNoEntry}, {"dll.xml.new", "stale"}}, {{"dll.xml", kNoEntry}},
       "could not be found in a form that is safe to remove"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SimulatorListFolder lists;
    for (const auto& [name, bytes] : c.listsBefore) ASSERT_TRUE(WriteBytes(lists / name, bytes));
    UninstallerHold hold;
    ScratchFolder program("program");
    ScratchFolder working("working");
    ASSERT_TRUE(InstallUnrigger(program.path()));
    ASSERT_TRUE(WriteBytes(program / "setup.lst", SetupList(c.title, c.core)));
    ASSERT_TRUE(WriteBytes(working / "setup.lst", SetupList("Other", "nothing")));
    ASSERT_TRUE(WriteBytes(working / "ST6UNST.LOG", "log"));

    UnriggerRun run(program.path(), working.path());
    HWND main = run.WaitForWindow("main");
    ASSERT_NE(main, nullptr);
    ExpectDesignedWindow(main, run.ThreadId(), c.title.substr(0, 249) + kTail);
    PostMessageA(main, WM_COMMAND, IDOK, 0);
    if (c.message != nullptr) {
      HWND box = run.WaitForWindow("#32770");
      ASSERT_NE(box, nullptr) << "no message box";
      const MessageBoxSeen seen = AnswerMessageBox(box);
      EXPECT_EQ(seen.caption, kCaption);
      EXPECT_NE(seen.text.find(c.message), std::string::npos) << seen.text;
    }
    ASSERT_TRUE(run.WaitForExit()) << "unrigger waited for something";

    const std::string started = "command=st6unst -n \"ST6UNST.LOG\" -f -q\nfolder=" + working.path() + "\nshow=2\n";
    std::string record;
    EXPECT_TRUE(WaitForUninstallerRecord(working.path(), "\nshow=", &record));
    EXPECT_EQ(record, started) << "started otherwise, or unrigger waited for its end";
    hold.Release();
    EXPECT_TRUE(WaitForUninstallerRecord(working.path(), "ended\n", &record)) << record;
    EXPECT_EQ(ReadFolderFiles(lists.path()), c.listsAfter);
  }
}

}  // namespace
