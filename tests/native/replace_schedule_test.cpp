#include "setup/replace_schedule.h"

#include <gtest/gtest.h>

namespace {

TEST(ReplaceRetryWaits, ShortFirstThenLongerAboutTwoSecondsInAll) {
  unsigned totalMs = 0;
  bool neverShrinks = true;
  for (int i = 0; i < kReplaceRetryWaits; ++i) {
    totalMs += kReplaceRetryWaitsMs[i];
    neverShrinks = neverShrinks && (i == 0 || kReplaceRetryWaitsMs[i] >= kReplaceRetryWaitsMs[i - 1]);
  }
  const struct {
    const char* behaviour;
    bool holds;
  } rows[] = {
      {"a brief hold costs at most 10 ms", kReplaceRetryWaitsMs[0] <= 10},
      {"a held file gets at least 1.5 s", totalMs >= 1500},
      {"the simulator's thread is held at most 2.5 s", totalMs <= 2500},
      {"no wait is shorter than the one before", neverShrinks},
      {"the waits grow, not a fixed step", kReplaceRetryWaitsMs[kReplaceRetryWaits - 1] >= 10 * kReplaceRetryWaitsMs[0]},
  };
  for (const auto& row : rows) EXPECT_TRUE(row.holds) << row.behaviour << " (total " << totalMs << " ms)";
}

}  // namespace
