// The dispatch handler and the "DialogMode" handshake, driven through the
// SimConnect double's queued messages.
#include "tests/wine/spine/spine_fixture.h"

namespace {

const char* const kDialogModeOn = "SetSystemState(H, \"DialogMode\", 1, 0, NULL)";
const char* const kDialogModeOff = "SetSystemState(H, \"DialogMode\", 0, 0, NULL)";
const char* const kDialogModeRequest = "RequestSystemState(H, 1, \"DialogMode\")";

class Session : public SimulatorCase {
 protected:
  void Start() {
    SetUpHost();
    SimHostStart(&host);
  }
  // The dialog-mode calls in the order they were made.
  static std::vector<std::string> HandshakeCalls() {
    std::vector<std::string> handshake;
    for (const std::string& call : DoubleCalls()) {
      if (call.find("DialogMode") != std::string::npos) handshake.push_back(call);
    }
    return handshake;
  }
};

TEST_F(Session, EachMenuItemOpensItsDialogInsideTheHandshake) {
  Start();
  DOUBLE(Double_AnswerDialogMode)(1);
  std::vector<std::string> handshake;
  for (unsigned item = 2; item <= 5; ++item) {
    DOUBLE(Double_QueueEvent)(0, item, 0);
    ASSERT_TRUE(SimHostPumpUntil(5000, [item] { return CountCalls(kDialogModeOff) == item - 1; })) << item;
    handshake.insert(handshake.end(), {kDialogModeOn, kDialogModeRequest, kDialogModeOff});
  }
  EXPECT_EQ(handshake, HandshakeCalls());
  EXPECT_EQ((std::vector<std::string>{"Device calibration", "Device settings", "Device buttons setup",
                                      "Default eye point"}),
            DialogsSeen());
}

TEST_F(Session, DialogThatCannotBeCreatedSwitchesDialogModeOffAtOnce) {
  Start();
  // An owner that no longer exists makes DialogBoxParamA fail.
  DestroyWindow(host.mainWindow);
  host.mainWindow = nullptr;
  DOUBLE(Double_AnswerDialogMode)(1);
  DOUBLE(Double_QueueEvent)(0, 5, 0);
  ASSERT_TRUE(PumpTicks(4));
  EXPECT_EQ((std::vector<std::string>{kDialogModeOn, kDialogModeRequest, kDialogModeOff}),
            HandshakeCalls());
  EXPECT_TRUE(DialogsSeen().empty());
}

// An event for "Settings..." cut short before its dwData.
const DWORD kShortEvent[] = {20, 4, 4 /* EVENT */, 0, 3};

TEST_F(Session, OnlyAGrantedDialogModeReplyToAMenuItemOpensADialog) {
  Start();
  DOUBLE(Double_AnswerDialogMode)(1);
  // Replies with no selection, the "Pivora" entry itself, the slew events,
  // an unknown event, records cut short (header only) and QUIT: none act.
  DOUBLE(Double_QueueSystemState)(1, 1);
  DOUBLE(Double_QueueSystemState)(7, 1);
  DOUBLE(Double_QueueEvent)(0, 0, 0);
  for (unsigned event = 6; event <= 18; ++event) DOUBLE(Double_QueueEvent)(1, event, 0);
  DOUBLE(Double_QueueEvent)(0, 19, 0);
  DOUBLE(Double_QueueRaw)(kShortEvent, 20);
  for (unsigned id : {8u, 15u, 3u /* QUIT */}) DOUBLE(Double_QueueHeaderOnly)(id);
  ASSERT_TRUE(PumpTicks(4));
  EXPECT_TRUE(HandshakeCalls().empty());
  EXPECT_EQ(0u, CountCalls("Close"));
  // Refused, or granted for another request: the dialog does not open.
  DOUBLE(Double_AnswerDialogMode)(0);
  DOUBLE(Double_QueueEvent)(0, 3, 0);
  DOUBLE(Double_QueueSystemState)(2, 1);
  ASSERT_TRUE(PumpTicks(4));
  EXPECT_EQ((std::vector<std::string>{kDialogModeOn, kDialogModeRequest}), HandshakeCalls());
  EXPECT_TRUE(DialogsSeen().empty());
}

}  // namespace
