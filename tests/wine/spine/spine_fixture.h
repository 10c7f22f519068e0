// A test case that plays the simulator around the real pivora.dll.
#pragma once
#include <gtest/gtest.h>

#include "module/title_format.h"
#include "testbed/sim_host/sim_host.h"

class SimulatorCase : public ::testing::Test {
 protected:
  void SetUpHost(const SimHostOptions& options = SimHostOptions()) {
    std::string error;
    ASSERT_TRUE(SimHostSetUp(&host, options, &error)) << error;
  }
  void TearDown() override { SimHostTearDown(&host); }

  // Number of calls so far whose text starts with `prefix`.
  static size_t CountCalls(const char* prefix) { return DoubleCallsStartingWith(prefix).size(); }
  static std::vector<std::string> CameraCalls() { return DoubleCallsStartingWith("CameraSetRelative6DOF"); }

  // Pumps until the tick has run `ticks` more times and every queued message
  // has been dispatched: what a check that nothing was sent stands on.
  static ::testing::AssertionResult PumpTicks(size_t ticks) {
    const size_t target = CountCalls("CallDispatch") + ticks;
    auto pending = DOUBLE(Double_PendingMessages);
    if (SimHostPumpUntil(5000, [&] { return CountCalls("CallDispatch") >= target && pending() == 0; }))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << CountCalls("CallDispatch") << " dispatches of " << target << ", "
                                         << pending() << " messages still queued";
  }

  // Publishes a device reading as the title of the host's server window.
  void Feed(const int32_t (&axes)[6], int32_t button = 0) {
    char title[256];
    FormatDeviceTitle(axes, button, title, sizeof title);
    SetWindowTextA(host.serverWindow, title);
  }

  SimHost host;
};
