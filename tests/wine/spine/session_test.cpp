// The "DialogMode" handshake around the setup dialogs in the real module:
// each menu item's dialog opens inside it, from the dispatch handler, with
// the tick going on in the dialog's own message loop. Which message leads to
// what is the native session_core table's.
#include "tests/wine/spine/spine_fixture.h"

namespace {

const char* const kDialogModeOn = "SetSystemState(H, \"DialogMode\", 1, 0, NULL)";
const char* const kDialogModeOff = "SetSystemState(H, \"DialogMode\", 0, 0, NULL)";
const char* const kDialogModeRequest = "RequestSystemState(H, 1, \"DialogMode\")";

// The dialog-mode calls in the order they were made.
std::vector<std::string> HandshakeCalls() {
  std::vector<std::string> handshake;
  for (const std::string& call : DoubleCalls()) {
    if (call.find("DialogMode") != std::string::npos) handshake.push_back(call);
  }
  return handshake;
}

class Session : public SimulatorCase {};

TEST_F(Session, EachMenuItemOpensItsDialogInsideTheHandshake) {
  SetUpHost();
  SimHostStart(&host);
  DOUBLE(Double_AnswerDialogMode)(1);
  std::vector<std::string> handshake;
  auto select = [&](unsigned item) {
    DOUBLE(Double_QueueEvent)(0, item, 0);
    handshake.insert(handshake.end(), {kDialogModeOn, kDialogModeRequest, kDialogModeOff});
    const size_t closed = handshake.size() / 3;
    return SimHostPumpUntil(5000, [closed] { return CountCalls(kDialogModeOff) == closed; });
  };
  for (unsigned item = 2; item <= 5; ++item) ASSERT_TRUE(select(item)) << item;
  // With its owner gone the dialog cannot be created: dialog mode ends all the same.
  DestroyWindow(host.mainWindow);
  host.mainWindow = nullptr;
  ASSERT_TRUE(select(5));
  EXPECT_EQ(handshake, HandshakeCalls());
  EXPECT_EQ((std::vector<std::string>{"Device calibration", "Device settings", "Device buttons setup",
                                      "Default eye point"}),
            DialogsSeen());
}

}  // namespace
