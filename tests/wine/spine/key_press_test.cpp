// A key button's press inside the real module: keybd_event reaches a
// low-level keyboard hook with its waits, again and again while the button
// is held. The sequence's order and when it is armed are the native tables'.
#include "tests/wine/common/wine_helpers.h"
#include "tests/wine/spine/spine_fixture.h"

namespace {

// Records key events from a low-level hook on a thread of its own: the hook
// is called only while its thread pumps messages, and the module's thread
// sleeps between the events. The hook's thread is the only writer.
struct KeyEvent {
  DWORD key;
  bool up;
  DWORD time;
};
KeyEvent gKeyEvents[64];
volatile LONG gKeyEventCount;

LRESULT CALLBACK RecordKey(int code, WPARAM message, LPARAM data) {
  const auto* key = reinterpret_cast<KBDLLHOOKSTRUCT*>(data);
  if (code == HC_ACTION && gKeyEventCount < 64) {
    gKeyEvents[gKeyEventCount] = {key->vkCode, message == WM_KEYUP || message == WM_SYSKEYUP, key->time};
    InterlockedIncrement(&gKeyEventCount);
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

class KeyPress : public SimulatorCase {};

TEST_F(KeyPress, HeldButtonPressesCtrlAndTheKeyWithTheWaitsAgainAndAgain) {
  AppDataFolder appData;
  // keycode 321 sends its low 8 bits, 65.
  appData.Put("pivora.ini", "[Button_3]\r\nassigned=1\r\nkeypress=1\r\nwithctrl=1\r\nkeycode=321\r\n");
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  DWORD hookThreadId = 0;
  HANDLE thread = CreateThread(nullptr, 0, HookThread, ready, 0, &hookThreadId);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ready, 5000));

  SetUpHost();
  SimHostStart(&host);
  Feed({0, 0, 0, 0, 0, 0}, 3);
  ASSERT_TRUE(SimHostPumpUntil(10000, [] { return gKeyEventCount >= 8; })) << gKeyEventCount;
  Feed({0, 0, 0, 0, 0, 0}, 0);
  ASSERT_TRUE(PumpTicks(3));  // a press armed meanwhile has run
  PostThreadMessageA(hookThreadId, WM_QUIT, 0, 0);
  WaitForSingleObject(thread, 5000);

  ASSERT_LT(gKeyEventCount, 64) << "the record is full";
  EXPECT_EQ(0, gKeyEventCount % 4) << "only complete presses";
  const DWORD keys[] = {17, 65, 65, 17};  // Ctrl down, A down, A up, Ctrl up
  for (LONG i = 0; i < gKeyEventCount; ++i) {
    EXPECT_EQ(keys[i % 4], gKeyEvents[i].key) << i;
    EXPECT_EQ(i % 4 >= 2, gKeyEvents[i].up) << i;
  }
  // 250 ms after each key-down, 10 ms after each key-up.
  EXPECT_GE(gKeyEvents[1].time - gKeyEvents[0].time, 240u);
  EXPECT_GE(gKeyEvents[2].time - gKeyEvents[1].time, 240u);
  EXPECT_GE(gKeyEvents[3].time - gKeyEvents[2].time, 8u);
  EXPECT_LT(gKeyEvents[3].time - gKeyEvents[2].time, 240u);
}

}  // namespace
