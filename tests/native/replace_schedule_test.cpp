#include "setup/replace_schedule.h"

#include <gtest/gtest.h>

namespace {

TEST(ReplaceRetryWaits, ShortFirstThenLongerAboutTwoSecondsInAll) {
  unsigned totalMs = 0;
  for (int i = 0; i < kReplaceRetryWaits; ++i) {
    totalMs += kReplaceRetryWaitsMs[i];
    if (i > 0) EXPECT_GE(kReplaceRetryWaitsMs[i], kReplaceRetryWaitsMs[i - 1]) << "wait " << i << " shrinks";
  }
  const struct {
    const char* behaviour;
    bool holds;
  } rows[] = {
      {"a brief hold costs at most 10 ms", kReplaceRetryWaitsMs[0] <= 10},
      {"a held file gets at least 1.5 s", totalMs >= 1500},
      {"the simulator's thread is held at most 2.5 s", totalMs <= 2500},
      {"the waits grow, not a fixed step", kReplaceRetryWaitsMs[kReplaceRetryWaits - 1] >= 10 * kReplaceRetryWaitsMs[0]},
  };
  for (const auto& row : rows) EXPECT_TRUE(row.holds) << row.behaviour << " (total " << totalMs << " ms)";
}

}  // namespace
