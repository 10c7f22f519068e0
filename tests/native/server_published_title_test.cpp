// The window title the server sets for each reading.
#include "server/published_title.h"

#include <gtest/gtest.h>

#include <cstring>

#include "module/title_layout.h"
#include "module/title_parse.h"

namespace {

// Setting a title costs every reader a message: it is set again only for
// other values, or for the same ones with the raw mark turned on or off.
TEST(ServerPublishedTitle, SetOnlyWhenTheValuesOrTheRawMarkChange) {
  const struct {
    int32_t rZ;
    bool raw, set;
  } steps[] = {{0, false, true}, {0, false, false}, {0, true, true}, {0, true, false}, {8506, true, true},
               {8506, false, true}, {-4253, false, true}};
  ShownTitle shown{};
  for (const auto& s : steps) {
    char title[kTitleBufferSize] = "";
    EXPECT_EQ(NextTitle(&shown, {{0, 0, 0, 0, 0, s.rZ}, 0}, s.raw, title, sizeof title), s.set) << s.rZ << s.raw;
    const DeviceFrame read = ParseDeviceTitle(title, std::strlen(title));
    EXPECT_TRUE(!s.set || (read.rZ == s.rZ && read.raw == s.raw)) << title;
  }
}

}  // namespace
