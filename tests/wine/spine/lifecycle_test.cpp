// The real pivora.dll in the simulated simulator: what only a Win32 run
// shows. The 25 ms timer, the calls across the SimConnect boundary, the
// "DialogMode" handshake around a dialog, the owners of the module's message
// boxes, the server's window title, and the stop with a hung server. What
// the module decides is in the native tables of session_core and tick_core.
#include <algorithm>

#include "tests/wine/common/wine_helpers.h"
#include "tests/wine/spine/spine_fixture.h"

namespace {

const char* const kMissingLibraryText =
    "Cannot load simconnect.dll. Please make sure that simconnect.dll is installed in the same "
    "spplication's folder, or try to install the application again.";

std::vector<std::string> ExpectedRegistration() {
  std::vector<std::string> calls = {
      "Open(ptr, \"Pivora\", NULL, 0, NULL, 0)",
      "AddToDataDefinition(H, 0, \"TITLE\", \"Number\", 9, 0, 4294967295)",
      "AddToDataDefinition(H, 0, \"IS SLEW ACTIVE\", \"Bool\", 4, 0, 4294967295)",
      "MapClientEventToSimEvent(H, 0, \"\")",
      "MenuAddItem(H, \"Pivora\", 0, 23781)",
      "AddClientEventToNotificationGroup(H, 0, 0, 0)",
  };
  const char* const items[] = {"Device calibration...", "Settings...", "Buttons setup...",
                               "Specify default eye point..."};
  for (int i = 0; i < 4; ++i) {
    const std::string id = std::to_string(2 + i);
    calls.push_back("MapClientEventToSimEvent(H, " + id + ", \"\")");
    calls.push_back("MenuAddSubItem(H, 0, \"" + std::string(items[i]) + "\", " + id + ", " +
                    std::to_string(23782 + i) + ")");
    calls.push_back("AddClientEventToNotificationGroup(H, 0, " + id + ", 0)");
  }
  const char* const slew[] = {"SLEW_FREEZE",      "SLEW_ALTIT_PLUS",    "SLEW_ALTIT_MINUS",
                              "SLEW_PITCH_UP_SLOW", "SLEW_PITCH_DN_SLOW", "SLEW_BANK_PLUS",
                              "SLEW_BANK_MINUS",  "SLEW_AHEAD_PLUS",    "SLEW_AHEAD_MINUS",
                              "SLEW_LEFT",        "SLEW_RIGHT",         "SLEW_HEADING_PLUS",
                              "SLEW_HEADING_MINUS"};
  for (int i = 0; i < 13; ++i) {
    const std::string id = std::to_string(6 + i);
    calls.push_back("MapClientEventToSimEvent(H, " + id + ", \"" + slew[i] + "\")");
    calls.push_back("AddClientEventToNotificationGroup(H, 1, " + id + ", 0)");
  }
  calls.push_back("SetNotificationGroupPriority(H, 0, 1)");
  calls.push_back("SetNotificationGroupPriority(H, 1, 1)");
  return calls;
}

const char* const kAircraftRequest = "RequestDataOnSimObject(H, 2, 0, 0, 1, 0, 0, 0, 0)";
const char* const kPump = "CallDispatch(H, ptr, NULL)";

class Lifecycle : public SimulatorCase {};

TEST_F(Lifecycle, StartTicksSendsAndStops) {
  SetUpHost();
  EXPECT_EQ(0, SimHostStart(&host));
  EXPECT_EQ(ExpectedRegistration(), DoubleCalls());
  const size_t registered = DoubleCalls().size();
  SimHostPump(1000);
  const std::vector<std::string> calls = DoubleCalls();
  std::vector<double> requestTimes;
  for (size_t i = registered; i < calls.size(); ++i) {
    if (calls[i] != kAircraftRequest) continue;
    ASSERT_LT(i + 1, calls.size());
    EXPECT_EQ(kPump, calls[i + 1]) << "each request is followed by one pump";
    requestTimes.push_back(DOUBLE(Double_CallTimeMs)(int(i)));
  }
  ASSERT_GE(requestTimes.size(), 20u) << "a 25 ms timer fires about 40 times a second";
  EXPECT_LE(requestTimes.size(), 45u);
  std::vector<double> gaps;
  for (size_t i = 1; i < requestTimes.size(); ++i) gaps.push_back(requestTimes[i] - requestTimes[i - 1]);
  std::sort(gaps.begin(), gaps.end());
  EXPECT_GE(gaps[gaps.size() / 2], 15.0);
  EXPECT_LE(gaps[gaps.size() / 2], 40.0);

  // Each of the five moving values lands in its own argument: x from tX, y
  // from tZ, z from tY, pitch from rX, bank from rY.
  Feed({10000, 5000, 20000, 2500, -5000, 0});
  ASSERT_TRUE(SimHostPumpUntil(5000, [] { return !CameraCalls().empty(); }));
  EXPECT_EQ("CameraSetRelative6DOF(H, 1, 2, 0.5, 0.25, -0.5, 0)", CameraCalls()[0]);
  // In slew mode the same reading becomes a batch of slew events (their
  // order is the native motion table's), each in the slew group at the
  // highest priority: SLEW_ALTIT_PLUS first.
  DOUBLE(Double_AnswerAircraft)("Slew test", 1.0);
  ASSERT_TRUE(SimHostPumpUntil(5000, [] { return CountCalls("TransmitClientEvent") >= 1; }));
  EXPECT_EQ("TransmitClientEvent(H, 0, 7, 0, 1, 16)", DoubleCallsStartingWith("TransmitClientEvent")[0]);

  // A menu selection asks for dialog mode; a dialog that cannot be created
  // (its owner is gone) ends dialog mode all the same. One given another
  // owner would open and hold this case in its modal loop. The dialogs' own
  // cases open each of them through its menu item.
  DestroyWindow(host.mainWindow);
  host.mainWindow = nullptr;
  DOUBLE(Double_QueueEvent)(0, 5, 0);
  ASSERT_TRUE(PumpTicks(2));
  std::vector<std::string> handshake;
  for (const std::string& call : DoubleCalls()) {
    if (call.find("DialogMode") != std::string::npos) handshake.push_back(call);
  }
  EXPECT_EQ((std::vector<std::string>{"SetSystemState(H, \"DialogMode\", 1, 0, NULL)",
                                      "RequestSystemState(H, 1, \"DialogMode\")",
                                      "SetSystemState(H, \"DialogMode\", 0, 0, NULL)"}),
            handshake);

  SimHostStop(&host);
  EXPECT_EQ("Close(H)", DoubleCalls().back());
  EXPECT_EQ(1, host.serverCloseCount) << "the server is asked to quit";
  EXPECT_TRUE(MessageBoxesSeen().empty()) << "with a server window there, none is started";
  // A timer left behind would go on posting WM_TIMER to this thread.
  EXPECT_FALSE(WaitUntil(200, [] {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE) != FALSE;
  }));
}

// A library that lacks a function the module calls counts as missing. The
// box is owned by the simulator's main window, or by none without it.
TEST_F(Lifecycle, MissingOrUnusableLibraryShowsOneMessageAndStaysInert) {
  const struct {
    SimConnectCopy copy;
    bool mainWindow;
    const char* guards;
  } rows[] = {{SimConnectCopy::kNone, true, "no library, with FS98MAIN"},
              {SimConnectCopy::kWithoutCamera, false, "no camera function, without FS98MAIN"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.guards);
    SimHostOptions options;
    options.simconnect = row.copy;
    SetUpHost(options);
    if (!row.mainWindow) {
      DestroyWindow(host.mainWindow);
      host.mainWindow = nullptr;
    }
    EXPECT_EQ(0, SimHostStart(&host));
    ASSERT_TRUE(SimHostPumpUntil(5000, [] { return !MessageBoxesSeen().empty(); }));
    const MessageBoxSeen box = MessageBoxesSeen()[0];
    EXPECT_EQ("Pivora for FSX", box.caption);
    EXPECT_EQ(kMissingLibraryText, box.text);
    EXPECT_EQ(host.mainWindow, box.owner);
    SimHostStop(&host);  // harmless in the inert state: no second box
    EXPECT_EQ(1u, MessageBoxesSeen().size());
    EXPECT_EQ(0, host.serverCloseCount);
    EXPECT_TRUE(DoubleCalls().empty()) << "an unusable library is never called";
    SimHostTearDown(&host);
  }
}

TEST_F(Lifecycle, RefusedOpenRegistersNothingAndNeverPassesANullHandle) {
  SetUpHost();
  DOUBLE(Double_SetOpenResult)(E_FAIL);
  EXPECT_EQ(0, SimHostStart(&host));
  const unsigned ticks = SimHostTimerMessages() + 3;
  ASSERT_TRUE(SimHostPumpUntil(5000, [ticks] { return SimHostTimerMessages() >= ticks; }));
  SimHostStop(&host);
  EXPECT_EQ(std::vector<std::string>{"Open(ptr, \"Pivora\", NULL, 0, NULL, 0)"}, DoubleCalls());
  EXPECT_TRUE(MessageBoxesSeen().empty());
}

// Without a server window the module starts the server; a missing program
// shows its path over the simulator's window and the ticks go on. A server
// window that appears later is read; one that goes away leaves its last
// reading in place.
TEST_F(Lifecycle, MissingServerShowsItsPathAndALaterServerWindowIsRead) {
  SimHostOptions options;
  options.serverWindow = false;
  SetUpHost(options);
  SimHostStart(&host);
  ASSERT_TRUE(SimHostPumpUntil(3000, [] { return !MessageBoxesSeen().empty(); }));
  const MessageBoxSeen box = MessageBoxesSeen()[0];
  EXPECT_EQ("Error running Pivora Server application", box.caption);
  EXPECT_EQ(host.folder + "\\pivora\\pivorasrv.exe", box.text);
  EXPECT_EQ(host.mainWindow, box.owner);
  ASSERT_TRUE(PumpTicks(2));
  SimHostOpenServerWindow(&host);
  Feed({10000, 0, 0, 0, 0, 0});
  ASSERT_TRUE(SimHostPumpUntil(5000, [] { return !CameraCalls().empty(); }));
  DestroyWindow(host.serverWindow);
  host.serverWindow = nullptr;
  const size_t before = CameraCalls().size();
  ASSERT_TRUE(SimHostPumpUntil(5000, [before] { return CameraCalls().size() >= before + 3; }));
  SimHostStop(&host);  // completes without a server window
  EXPECT_EQ(1u, MessageBoxesSeen().size());
}

// A "pivoraserver" window on a thread of its own that answers until WM_APP
// reaches that thread, then stops pumping until `release` is set.
struct HungServer {
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  volatile LONG hung = 0;
  static DWORD WINAPI Run(LPVOID self) {
    auto* server = static_cast<HungServer*>(self);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "pivoraserver";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "pivoraserver", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                  nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0 && message.message != WM_APP) DispatchMessageA(&message);
    InterlockedExchange(&server->hung, 1);
    WaitForSingleObject(server->release, INFINITE);
    DestroyWindow(window);
    return 0;
  }
};

TEST_F(Lifecycle, StopGivesAHungServerAtMostItsThreeSeconds) {
  SimHostOptions options;
  options.serverWindow = false;
  SetUpHost(options);
  HungServer server;
  DWORD serverThreadId = 0;
  HANDLE thread = CreateThread(nullptr, 0, HungServer::Run, &server, 0, &serverThreadId);
  ASSERT_TRUE(WaitUntil(5000, [] { return FindWindowA("pivoraserver", nullptr) != nullptr; }));
  SimHostStart(&host);
  ASSERT_TRUE(PumpTicks(3));  // the module has found the window and reads it
  PostThreadMessageA(serverThreadId, WM_APP, 0, 0);
  ASSERT_TRUE(WaitUntil(5000, [&] { return server.hung != 0; }));
  const DWORD before = GetTickCount();
  SimHostStop(&host);
  const DWORD tookMs = GetTickCount() - before;
  SetEvent(server.release);
  WaitForSingleObject(thread, 5000);
  EXPECT_LT(tookMs, 4500u) << "a hung server must not hold the simulator's exit";
}

}  // namespace
