// Device buttons inside the real module: resets to the aircraft's default eye
// point and simulated key presses.
#include <cstring>

#include "tests/wine/camera/camera_case.h"

namespace {

const char* const kResetSettings =
    "[Button_4]\r\nassigned=1\r\nresetall=1\r\n"
    "[Reset Test]\r\nipitch=12\r\nfpitch=5\r\nibank=-0\r\nfbank=25\r\niyaw=3\r\nfyaw=05\r\n"
    "ibackforth=1\r\nfbackforth=0\r\nileftright=2\r\nfleftright=0\r\niupdown=-3\r\nfupdown=0\r\n";

class Buttons : public CameraCase {};

// An aircraft record as the simulator sends it: the data block (title, then
// the slew flag) begins 40 bytes in; `size` may cut it short.
std::vector<char> AircraftRecord(DWORD request, const std::string& title, size_t size) {
  std::vector<char> record(304, 0);
  const DWORD header[4] = {DWORD(size), 4, 8 /* SIMOBJECT_DATA */, request};
  std::memcpy(record.data(), header, sizeof header);
  std::memcpy(record.data() + 40, title.data(), title.size() < 256 ? title.size() : 256);
  record.resize(size);
  return record;
}

// Each record, then a press of the reset button: the reset sends the eye
// point of the aircraft that the module took from the records so far.
TEST_F(Buttons, ResetAllSendsTheEyePointOfTheAircraftRecordRead) {
  const std::string longTitle(256, 'T');  // fills the title field, no terminator
  WriteSettings(std::string(kResetSettings) + "[" + longTitle.substr(0, 255) + "]\r\nipitch=7\r\n");
  Start();
  const struct {
    std::vector<char> record;
    std::string camera;
    const char* guards;
  } rows[] = {
      {AircraftRecord(3, "Reset Test", 304), Camera(0, 0, 0, 0, 0, 0),
       "only the aircraft request changes the aircraft"},
      {AircraftRecord(2, longTitle, 304), Camera(0, 0, 0, 7, 0, 0), "a full title reads as its first 255 characters"},
      {AircraftRecord(2, "Reset Test", 40 + 100), Camera(2, -3, 1, 12.5f, -0.25f, 3.05f),
       "a record cut short gives the title it holds; every field of its section"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.guards);
    Feed({0, 0, 0, 0, 0, 0}, 0);
    ASSERT_TRUE(PumpTicks(2));
    DOUBLE(Double_QueueRaw)(row.record.data(), unsigned(row.record.size()));
    Feed({0, 0, 0, 0, 0, 0}, 4);
    EXPECT_TRUE(SimHostPumpUntil(5000, [&] { return !CameraCalls().empty() && CameraCalls().back() == row.camera; }))
        << (CameraCalls().empty() ? "no camera call" : CameraCalls().back());
  }
}

// Records key events from a low-level hook on a thread of its own: the hook
// is called only while its thread pumps messages, and the module's thread
// sleeps between the events.
struct KeyEvent {
  DWORD key;
  bool up;
  DWORD time;
};
std::vector<KeyEvent> gKeyEvents;
CRITICAL_SECTION gKeyLock;

LRESULT CALLBACK RecordKey(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION) {
    const auto* key = reinterpret_cast<KBDLLHOOKSTRUCT*>(data);
    EnterCriticalSection(&gKeyLock);
    gKeyEvents.push_back({key->vkCode, message == WM_KEYUP || message == WM_SYSKEYUP, key->time});
    LeaveCriticalSection(&gKeyLock);
  }
  return CallNextHookEx(nullptr, code, message, data);
}

DWORD WINAPI HookThread(LPVOID ready) {
  HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, RecordKey, GetModuleHandleA(nullptr), 0);
  // Ready only once the loop runs: an event sent before that is lost.
  PostThreadMessageA(GetCurrentThreadId(), WM_APP, 0, 0);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_APP) SetEvent(ready);
    DispatchMessageA(&message);
  }
  UnhookWindowsHookEx(hook);
  return 0;
}

TEST_F(Buttons, KeyButtonPressesCtrlAndTheKeyWithTheWaits) {
  // keycode 321 sends its low 8 bits, 65.
  WriteSettings("[Button_3]\r\nassigned=1\r\nkeypress=1\r\nwithctrl=1\r\nkeycode=321\r\n");
  InitializeCriticalSection(&gKeyLock);
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  DWORD hookThreadId = 0;
  HANDLE thread = CreateThread(nullptr, 0, HookThread, ready, 0, &hookThreadId);
  WaitForSingleObject(ready, 5000);

  auto keyEvents = [] {
    EnterCriticalSection(&gKeyLock);
    const size_t count = gKeyEvents.size();
    LeaveCriticalSection(&gKeyLock);
    return count;
  };
  Start();
  // Held: the press repeats.
  Feed({0, 0, 0, 0, 0, 0}, 3);
  EXPECT_TRUE(SimHostPumpUntil(10000, [&] { return keyEvents() >= 8; })) << keyEvents();
  Feed({0, 0, 0, 0, 0, 0}, 0);
  ASSERT_TRUE(PumpTicks(3));  // a press armed meanwhile has run
  const size_t afterHold = keyEvents();
  EXPECT_EQ(0u, afterHold % 4) << "only complete presses";
  // Held for one tick only: the press comes on the next tick, before that
  // tick reads the released button, and only once.
  Feed({0, 0, 0, 0, 0, 0}, 3);
  const DWORD readStartMs = GetTickCount();
  ASSERT_TRUE(PumpTicks(1));
  const DWORD readEndMs = GetTickCount();
  Feed({0, 0, 0, 0, 0, 0}, 0);
  EXPECT_TRUE(SimHostPumpUntil(5000, [&] { return keyEvents() >= afterHold + 4; })) << keyEvents();
  ASSERT_TRUE(PumpTicks(3));
  EXPECT_EQ(afterHold + 4, keyEvents());
  PostThreadMessageA(hookThreadId, WM_QUIT, 0, 0);
  WaitForSingleObject(thread, 5000);

  ASSERT_GE(gKeyEvents.size(), afterHold + 4);
  const struct {
    DWORD key;
    bool up;
  } expected[] = {{17, false}, {65, false}, {65, true}, {17, true}};
  for (size_t i = 0; i < gKeyEvents.size(); ++i) {
    EXPECT_EQ(expected[i % 4].key, gKeyEvents[i].key) << i;
    EXPECT_EQ(expected[i % 4].up, gKeyEvents[i].up) << i;
    EXPECT_FALSE(gKeyEvents[i].time >= readStartMs && gKeyEvents[i].time < readEndMs) << i << ": in the reading tick";
  }
  // 250 ms after each key-down, 10 ms after each key-up.
  EXPECT_GE(gKeyEvents[1].time - gKeyEvents[0].time, 240u);
  EXPECT_GE(gKeyEvents[2].time - gKeyEvents[1].time, 240u);
  EXPECT_GE(gKeyEvents[3].time - gKeyEvents[2].time, 8u);
  EXPECT_LT(gKeyEvents[3].time - gKeyEvents[2].time, 240u);
}

}  // namespace
