// Starting, following and stopping the device server.
#include "tests/wine/camera/camera_case.h"

namespace {

class DeviceLink : public CameraCase {};

TEST_F(DeviceLink, MissingServerProgramShowsItsPathAndTheTickGoesOn) {
  SimHostOptions options;
  options.serverWindow = false;  // the module must try to start the server
  Start(options);
  ASSERT_TRUE(SimHostPumpUntil(3000, [] { return !MessageBoxesSeen().empty(); }));
  const MessageBoxSeen box = MessageBoxesSeen()[0];
  EXPECT_EQ("Error running Pivora Server application", box.caption);
  EXPECT_EQ(host.folder + "\\pivora\\pivorasrv.exe", box.text);
  ASSERT_TRUE(PumpTicks(4));
  EXPECT_TRUE(CameraCalls().empty()) << "the frame stays at rest";
  EXPECT_EQ(1u, MessageBoxesSeen().size());
  SimHostStop(&host);  // completes without a server window
  EXPECT_EQ(0, host.serverCloseCount);
}

TEST_F(DeviceLink, ServerWindowPresentAtStartIsReadAndAskedToQuitAtStop) {
  Start();
  ASSERT_TRUE(PumpTicks(4));
  EXPECT_TRUE(MessageBoxesSeen().empty()) << "no server started";
  SimHostStop(&host);
  EXPECT_EQ(1, host.serverCloseCount);
}

TEST_F(DeviceLink, ClosedServerFreezesTheFrameAndANewWindowIsPickedUp) {
  Start();
  Feed({10000, 0, 0, 0, 0, 0});
  ASSERT_TRUE(PumpUntilCameraCalls(2));
  DestroyWindow(host.serverWindow);
  host.serverWindow = nullptr;
  // The last frame goes on moving the eye while no server is there.
  const size_t before = CameraCalls().size();
  ASSERT_TRUE(PumpUntilCameraCalls(before + 3));

  host.serverWindow = CreateWindowExA(0, "pivoraserver", "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  Feed({0, 0, 0, 0, 0, 0});
  // One read finds the window, the next parses it: then the device is at rest.
  ASSERT_TRUE(PumpTicks(3));
  const size_t settled = CameraCalls().size();
  ASSERT_TRUE(PumpTicks(4));
  EXPECT_EQ(settled, CameraCalls().size());
}

}  // namespace
