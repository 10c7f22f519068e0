// The module driven by the replaying device server: every camera call of the
// replayed session must be what the native motion step computes from the
// previous eye point and one of the recorded frames.
#include <fstream>
#include <sstream>

#include "module/motion.h"
#include "server/recording.h"
#include "tests/wine/camera/camera_case.h"

namespace {

class ReplayTrace : public CameraCase {};

TEST_F(ReplayTrace, EveryCameraCallIsTheNativeStepOfARecordedFrame) {
  std::ifstream file(RECORDING_PATH, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  const std::string recording = text.str();
  std::vector<RecordedFrame> frames;
  ASSERT_TRUE(ParseRecording(recording.data(), recording.size(), &frames).ok);

  SimHostOptions options;
  options.serverWindow = false;  // the module starts the replaying server
  SetUpHost(options);
  const std::string addOn = host.folder + "\\pivora\\";
  ASSERT_TRUE(CopyFileA(REPLAY_SERVER_PATH, (addOn + "pivorasrv.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(RECORDING_PATH, (addOn + "replay.rec").c_str(), FALSE));
  SimHostStart(&host);
  SimHostPump(6500);  // one pass of the recording
  SimHostStop(&host);

  const std::vector<std::string> calls = CameraCalls();
  ASSERT_GT(calls.size(), 50u);
  MotionState state = InitialMotionState();
  MotionInput input = {};
  input.useonslew = 1;
  input.sessionReady = true;
  for (size_t i = 0; i < calls.size(); ++i) {
    bool explained = false;
    for (const RecordedFrame& frame : frames) {
      MotionState next = state;
      input.frame = {float(frame.axis[0]), float(frame.axis[1]), float(frame.axis[2]),
                     float(frame.axis[3]), float(frame.axis[4]), float(frame.axis[5]), 0};
      const MotionDecision decision = StepMotion(&next, input);
      if (!decision.sendCamera) continue;
      const CameraCall& c = decision.camera;
      if (Camera(c.x, c.y, c.z, c.pitch, c.bank, c.heading) != calls[i]) continue;
      state = next;
      explained = true;
      break;
    }
    ASSERT_TRUE(explained) << "camera call " << i << ": " << calls[i];
  }
}

}  // namespace
