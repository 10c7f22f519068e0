// A test case that plays the simulator around the real pivora.dll.
#pragma once
#include <gtest/gtest.h>

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

  SimHost host;
};
