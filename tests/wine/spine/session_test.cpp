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
  const struct {
    unsigned item;
    const char* caption;
  } items[] = {{2, "Device calibration"},
               {3, "Device settings"},
               {4, "Device buttons setup"},
               {5, "Default eye point"}};
  for (const auto& item : items) {
    SCOPED_TRACE(item.caption);
    Start();
    DOUBLE(Double_AnswerDialogMode)(1);
    DOUBLE(Double_QueueEvent)(0, item.item, 0);
    ASSERT_TRUE(SimHostPumpUntil(5000, [] { return CountCalls(kDialogModeOff) > 0; }));
    EXPECT_EQ((std::vector<std::string>{kDialogModeOn, kDialogModeRequest, kDialogModeOff}),
              HandshakeCalls());
    EXPECT_EQ(std::vector<std::string>{item.caption}, DialogsSeen());
    SimHostTearDown(&host);
  }
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

TEST_F(Session, RefusedDialogModeOpensNothingAndSendsNothingFurther) {
  Start();
  DOUBLE(Double_AnswerDialogMode)(0);
  DOUBLE(Double_QueueEvent)(0, 3, 0);
  ASSERT_TRUE(PumpTicks(4));
  EXPECT_EQ((std::vector<std::string>{kDialogModeOn, kDialogModeRequest}), HandshakeCalls());
}

TEST_F(Session, MenuEntryAndSlewEventsAreIgnored) {
  Start();
  DOUBLE(Double_AnswerDialogMode)(1);
  DOUBLE(Double_QueueEvent)(0, 0, 0);
  for (unsigned event = 6; event <= 18; ++event) DOUBLE(Double_QueueEvent)(1, event, 0);
  DOUBLE(Double_QueueEvent)(0, 19, 0);
  ASSERT_TRUE(PumpTicks(4));
  EXPECT_TRUE(HandshakeCalls().empty());
}

TEST_F(Session, DialogModeReplyWithoutASelectionOpensNothing) {
  Start();
  DOUBLE(Double_QueueSystemState)(1, 1);
  DOUBLE(Double_QueueSystemState)(7, 1);
  ASSERT_TRUE(PumpTicks(4));
  EXPECT_TRUE(HandshakeCalls().empty());
}

TEST_F(Session, OnlyTheDialogModeRequestOpensTheDialog) {
  Start();
  DOUBLE(Double_QueueEvent)(0, 4, 0);
  DOUBLE(Double_QueueSystemState)(2, 1);  // another request id
  ASSERT_TRUE(PumpTicks(4));
  EXPECT_EQ((std::vector<std::string>{kDialogModeOn, kDialogModeRequest}), HandshakeCalls());
}

TEST_F(Session, QuitIsIgnoredAndTheTickGoesOn) {
  Start();
  DOUBLE(Double_QueueHeaderOnly)(3);  // SIMCONNECT_RECV_ID_QUIT
  ASSERT_TRUE(PumpTicks(1));
  const size_t pumps = CountCalls("CallDispatch");
  ASSERT_TRUE(PumpTicks(5));
  EXPECT_GE(CountCalls("CallDispatch"), pumps + 5);
  EXPECT_EQ(0u, CountCalls("Close"));
}

TEST_F(Session, TruncatedRecordsAreDroppedSafely) {
  Start();
  DOUBLE(Double_AnswerDialogMode)(1);
  // Headers that claim an event, aircraft data and a system state, with
  // nothing behind them.
  for (unsigned id : {4u, 8u, 15u}) DOUBLE(Double_QueueHeaderOnly)(id);
  ASSERT_TRUE(PumpTicks(4));
  EXPECT_TRUE(HandshakeCalls().empty());
  EXPECT_EQ(0, DOUBLE(Double_PendingMessages)());
}

}  // namespace
