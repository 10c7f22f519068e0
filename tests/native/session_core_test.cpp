// The session's reading of the simulator's messages: which message of which
// size leads to the dialog-mode request or a dialog, and what an aircraft
// record leaves in the session. Sizes and offsets are the SDK's (header 12
// bytes, event 24, object data at byte 40, system state 284).
#include "module/session_core.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A message cut to `size` bytes: the header, 32-bit words from byte 12, and
// for an aircraft record the title at byte 40; the slew flag at byte 296 is 0.
std::vector<unsigned char> Message(uint32_t id, std::vector<uint32_t> words, size_t size,
                                   const std::string& title = "") {
  std::vector<unsigned char> m(std::max<size_t>(size, 304));
  const uint32_t header[3] = {uint32_t(size), 4, id};
  std::memcpy(m.data(), header, sizeof header);
  for (size_t i = 0; i < words.size(); ++i) std::memcpy(m.data() + 12 + 4 * i, &words[i], 4);
  std::memcpy(m.data() + 40, title.data(), std::min<size_t>(title.size(), 256));
  m.resize(size);
  return m;
}
std::vector<unsigned char> Event(uint32_t event, size_t size = 24) { return Message(4, {0, event, 0}, size); }
std::vector<unsigned char> Reply(uint32_t request, uint32_t granted, size_t size = 284) {
  return Message(15, {request, granted}, size);
}

SessionAction Receive(SessionState* state, const std::vector<unsigned char>& m) {
  return ReceiveMessage(state, reinterpret_cast<const SIMCONNECT_RECV*>(m.data()), uint32_t(m.size()));
}

TEST(SessionCore, MessagesAndWhatTheyLeadTo) {
  const SessionAction none = SessionAction::kNone, ask = SessionAction::kRequestDialogMode,
                      open = SessionAction::kOpenDialog;
  const struct {
    const char* guards;
    std::vector<unsigned char> message;
    int pendingBefore;
    SessionAction action;
    int pendingAfter;
  } rows[] = {
      {"the Pivora entry itself asks for nothing", Event(0), 0, none, 0},
      {"Device calibration... asks for dialog mode for its dialog", Event(2), 0, ask, 120},
      {"Settings...", Event(3), 0, ask, 126},
      {"Buttons setup...", Event(4), 0, ask, 127},
      {"Specify default eye point... replaces an earlier selection", Event(5), 126, ask, 129},
      {"a slew event carries no action and keeps the selection", Event(6), 126, none, 126},
      {"an event cut short before its dwData is dropped", Event(3, 23), 0, none, 0},
      {"granted dialog mode opens the selected dialog", Reply(1, 1), 127, open, 127},
      {"a reply that ends after dwInteger is whole enough", Reply(1, 1, 20), 127, open, 127},
      {"a reply cut short inside dwInteger is dropped", Reply(1, 1, 19), 127, none, 127},
      {"refused dialog mode opens nothing", Reply(1, 0), 127, none, 127},
      {"a reply to another request opens nothing", Reply(2, 1), 127, none, 127},
      {"granted dialog mode without a selection opens nothing", Reply(1, 1), 0, none, 0},
      {"QUIT needs nothing: only DLLStop closes the session", Message(3, {}, 12), 127, none, 127},
  };
  for (const auto& row : rows) {
    SessionState state{};
    state.pendingDialog = row.pendingBefore;
    EXPECT_EQ(row.action, Receive(&state, row.message)) << row.guards;
    EXPECT_EQ(row.pendingAfter, state.pendingDialog) << row.guards;
    EXPECT_TRUE(state.ready) << row.guards << ": any message makes the session ready";
  }
}

TEST(SessionCore, AircraftRecordsAndWhatTheyLeave) {
  const std::string old(200, 'O');
  const struct {
    const char* guards;
    std::vector<unsigned char> message;
    std::string title;
    double slew;
  } rows[] = {
      {"the aircraft reply gives the title and the slew state", Message(8, {2}, 304, "Cessna"), "Cessna", 0},
      {"a reply to another request changes nothing", Message(8, {3}, 304, "Cessna"), old, 1},
      {"a title filling its 256 bytes reads as its first 255", Message(8, {2}, 304, std::string(256, 'T')),
       std::string(255, 'T'), 0},
      {"a record cut inside the title keeps the old title's rest", Message(8, {2}, 45, "ABCDEFGH"),
       "ABCDE" + std::string(195, 'O'), 1},
      {"a record cut before its data is dropped", Message(8, {2}, 39, "Cessna"), old, 1},
      {"a record longer than the definition fills only the definition", Message(8, {2}, 400, "Long"), "Long", 0},
  };
  for (const auto& row : rows) {
    SessionState state{};
    std::memcpy(state.aircraft.title, old.c_str(), old.size() + 1);
    state.aircraft.slewActive = 1;
    EXPECT_EQ(SessionAction::kNone, Receive(&state, row.message)) << row.guards;
    EXPECT_EQ(row.title, std::string(state.aircraft.title)) << row.guards;
    const double slew = state.aircraft.slewActive;  // a packed field binds to no reference
    EXPECT_EQ(row.slew, slew) << row.guards;
  }
}

}  // namespace
