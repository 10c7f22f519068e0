// Start-up, the tick and the stop of the real pivora.dll in the simulated
// simulator.
#include <algorithm>

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
  const struct {
    int event;
    const char* text;
    int data;
  } items[] = {{2, "Device calibration...", 23782},
               {3, "Settings...", 23783},
               {4, "Buttons setup...", 23784},
               {5, "Specify default eye point...", 23785}};
  for (const auto& item : items) {
    const std::string id = std::to_string(item.event);
    calls.push_back("MapClientEventToSimEvent(H, " + id + ", \"\")");
    calls.push_back("MenuAddSubItem(H, 0, \"" + std::string(item.text) + "\", " + id + ", " +
                    std::to_string(item.data) + ")");
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

TEST_F(Lifecycle, StartRegistersEverythingInOrderWithExactArguments) {
  SetUpHost();
  EXPECT_EQ(0, SimHostStart(&host));
  EXPECT_EQ(ExpectedRegistration(), DoubleCalls());
  EXPECT_TRUE(MessageBoxesSeen().empty());
}

TEST_F(Lifecycle, TickRequestsTheAircraftThenPumpsAboutEvery25ms) {
  SetUpHost();
  SimHostStart(&host);
  const size_t registered = DoubleCalls().size();
  SimHostPump(1000);
  const std::vector<std::string> calls = DoubleCalls();
  const std::vector<double> times = DoubleCallTimesMs();

  std::vector<double> requestTimes;
  for (size_t i = registered; i < calls.size(); ++i) {
    if (calls[i] != kAircraftRequest) continue;
    ASSERT_LT(i + 1, calls.size());
    EXPECT_EQ(kPump, calls[i + 1]) << "each request is followed by one pump";
    requestTimes.push_back(times[i]);
  }
  ASSERT_GE(requestTimes.size(), 20u) << "a 25 ms timer fires about 40 times a second";
  EXPECT_LE(requestTimes.size(), 45u);
  std::vector<double> gaps;
  for (size_t i = 1; i < requestTimes.size(); ++i) gaps.push_back(requestTimes[i] - requestTimes[i - 1]);
  std::sort(gaps.begin(), gaps.end());
  const double median = gaps[gaps.size() / 2];
  EXPECT_GE(median, 15.0);
  EXPECT_LE(median, 40.0);
}

TEST_F(Lifecycle, MissingLibraryShowsOneMessageAndStaysInert) {
  SimHostOptions options;
  options.simconnect = SimConnectCopy::kNone;
  SetUpHost(options);
  EXPECT_EQ(0, SimHostStart(&host));
  SimHostPump(300);
  const std::vector<MessageBoxSeen> boxes = MessageBoxesSeen();
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("Pivora for FSX", boxes[0].caption);
  EXPECT_EQ(kMissingLibraryText, boxes[0].text);
  SimHostStop(&host);  // harmless in the inert state
  SimHostPump(100);
  EXPECT_EQ(1u, MessageBoxesSeen().size());
  EXPECT_EQ(0, host.serverCloseCount);
}

TEST_F(Lifecycle, LibraryLackingACalledFunctionIsTreatedAsMissing) {
  SimHostOptions options;
  options.simconnect = SimConnectCopy::kWithoutCamera;
  SetUpHost(options);
  EXPECT_EQ(0, SimHostStart(&host));
  SimHostPump(300);
  const std::vector<MessageBoxSeen> boxes = MessageBoxesSeen();
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ(kMissingLibraryText, boxes[0].text);
  EXPECT_TRUE(DoubleCalls().empty()) << "an unusable library is never called";
  SimHostStop(&host);
  EXPECT_TRUE(DoubleCalls().empty());
}

TEST_F(Lifecycle, RefusedOpenRegistersNothingAndNeverPassesANullHandle) {
  SetUpHost();
  DOUBLE(Double_SetOpenResult)(E_FAIL, 0);
  EXPECT_EQ(0, SimHostStart(&host));
  SimHostPump(300);
  SimHostStop(&host);
  EXPECT_EQ(std::vector<std::string>{"Open(ptr, \"Pivora\", NULL, 0, NULL, 0)"}, DoubleCalls());
  EXPECT_TRUE(MessageBoxesSeen().empty());
}

TEST_F(Lifecycle, StopEndsTheTicksAndClosesTheSession) {
  SetUpHost();
  SimHostStart(&host);
  SimHostPump(200);
  ASSERT_GT(CountCalls("RequestDataOnSimObject"), 0u);
  SimHostStop(&host);
  std::vector<std::string> calls = DoubleCalls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ("Close(H)", calls.back());
  SimHostPump(200);
  EXPECT_EQ(calls.size(), DoubleCalls().size()) << "no tick after DLLStop";
}

}  // namespace
