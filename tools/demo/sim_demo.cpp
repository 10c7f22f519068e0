// The demo: the real pivora.dll in the simulated simulator, fed by a device
// server that replays a recorded session. Prints the camera calls and slew
// events the module sends as a readable trace and writes the eye point's path
// as CSV for plotting.
//
// usage: sim_demo <server.exe> <recording> <trace.csv> [seconds per pass]
// The first pass runs in free look; the second with the simulator in slew
// mode. Button 3 of the recording is bound to "reset all".
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "testbed/sim_host/sim_host.h"

namespace {

const char* const kAircraft = "Demo Aircraft";
const char* const kSettings =
    "[Button_3]\r\nassigned=1\r\nresetall=1\r\n"
    "[Demo Aircraft]\r\nipitch=-5\r\nfpitch=0\r\niupdown=0\r\nfupdown=2\r\n";

const char* const kSlewNames[] = {"SLEW_FREEZE",       "SLEW_ALTIT_PLUS",   "SLEW_ALTIT_MINUS",
                                  "SLEW_PITCH_UP_SLOW", "SLEW_PITCH_DN_SLOW", "SLEW_BANK_PLUS",
                                  "SLEW_BANK_MINUS",   "SLEW_AHEAD_PLUS",   "SLEW_AHEAD_MINUS",
                                  "SLEW_LEFT",         "SLEW_RIGHT",        "SLEW_HEADING_PLUS",
                                  "SLEW_HEADING_MINUS"};

std::string ConfigFolder() {
  char appData[MAX_PATH] = "";
  SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, FALSE);
  return std::string(appData) + "\\pivora";
}

// Prints one call of the double's log as a trace line; returns false for
// calls that are not part of the trace.
bool PrintTraceLine(const std::string& call, double seconds, FILE* csv) {
  float v[6];
  if (std::sscanf(call.c_str(), "CameraSetRelative6DOF(H, %f, %f, %f, %f, %f, %f)", &v[0], &v[1],
                  &v[2], &v[3], &v[4], &v[5]) == 6) {
    std::printf("%8.3f s  camera  x %9.4f  y %9.4f  z %9.4f  pitch %9.4f  bank %9.4f  heading %9.4f\n",
                seconds, v[0], v[1], v[2], v[3], v[4], v[5]);
    std::fprintf(csv, "%.3f,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g\n", seconds, v[0], v[1], v[2], v[3],
                 v[4], v[5]);
    return true;
  }
  unsigned object, event, data, group, flags;
  if (std::sscanf(call.c_str(), "TransmitClientEvent(H, %u, %u, %u, %u, %u)", &object, &event,
                  &data, &group, &flags) == 5) {
    const char* name = event >= 6 && event <= 18 ? kSlewNames[event - 6] : "?";
    std::printf("%8.3f s  slew    %s\n", seconds, name);
    return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: sim_demo <server.exe> <recording> <trace.csv> [seconds per pass]\n");
    return 2;
  }
  const DWORD passMs = argc > 4 ? DWORD(std::atoi(argv[4]) * 1000) : 6000;

  // The demo's own configuration, with the prefix's file put back afterwards.
  const std::string config = ConfigFolder();
  const std::string aside = config + ".demo-aside";
  const bool movedAside = MoveFileA(config.c_str(), aside.c_str()) != FALSE;
  CreateDirectoryA(config.c_str(), nullptr);
  if (FILE* ini = std::fopen((config + "\\pivora.ini").c_str(), "wb")) {
    std::fputs(kSettings, ini);
    std::fclose(ini);
  }

  SimHost host;
  SimHostOptions options;
  options.serverWindow = false;  // the module starts the device server itself
  std::string error;
  if (!SimHostSetUp(&host, options, &error)) {
    std::fprintf(stderr, "sim_demo: %s\n", error.c_str());
    return 1;
  }
  const std::string addOn = host.folder + "\\pivora\\";
  CopyFileA(argv[1], (addOn + "pivorasrv.exe").c_str(), FALSE);
  CopyFileA(argv[2], (addOn + "replay.rec").c_str(), FALSE);
  FILE* csv = std::fopen(argv[3], "w");
  if (csv == nullptr) {
    std::fprintf(stderr, "sim_demo: cannot write %s\n", argv[3]);
    return 1;
  }
  std::fprintf(csv, "seconds,x,y,z,pitch,bank,heading\n");

  std::printf("Simulator folder %s\n", host.folder.c_str());
  std::printf("Starting pivora.dll (free look for %lu s, then slew mode)\n", passMs / 1000);
  DOUBLE(Double_AnswerAircraft)(kAircraft, 0.0);
  SimHostStart(&host);
  SimHostPump(passMs);
  DOUBLE(Double_AnswerAircraft)(kAircraft, 1.0);
  SimHostPump(passMs);
  SimHostStop(&host);

  const std::vector<std::string> calls = DoubleCalls();
  size_t traced = 0, camera = 0, slew = 0, pumps = 0;
  const double origin = calls.empty() ? 0.0 : DOUBLE(Double_CallTimeMs)(0);
  for (size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].rfind("CallDispatch", 0) == 0) ++pumps;
    if (!PrintTraceLine(calls[i], (DOUBLE(Double_CallTimeMs)(int(i)) - origin) / 1000.0, csv)) continue;
    ++traced;
    (calls[i][0] == 'C' ? camera : slew) += 1;
  }
  std::fclose(csv);
  std::printf("%zu ticks, %zu camera calls, %zu slew events; %zu message boxes\n", pumps, camera,
              slew, MessageBoxesSeen().size());
  for (const MessageBoxSeen& box : MessageBoxesSeen()) {
    std::printf("message box \"%s\": %s\n", box.caption.c_str(), box.text.c_str());
  }
  SimHostTearDown(&host);

  // Put the prefix's own configuration back.
  DeleteFileA((config + "\\pivora.ini").c_str());
  DeleteFileA((config + "\\somethingchanged.ini").c_str());
  RemoveDirectoryA(config.c_str());
  if (movedAside) MoveFileA(aside.c_str(), config.c_str());
  return traced > 0 ? 0 : 1;
}
