// The SimConnect messages the dispatch handler reads, declared from the SDK's
// documented layouts with fixed-width fields: no Windows header, so the
// portable session code and its native tests see the bytes exactly as the
// 32-bit module does. Every structure is packed to 1 byte; the static_asserts
// pin each size, offset and id so that a wrong constant fails the build
// instead of misreading the simulator's messages.
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

struct SIMCONNECT_RECV {
  uint32_t dwSize;
  uint32_t dwVersion;
  uint32_t dwID;
};

struct SIMCONNECT_RECV_EVENT {
  SIMCONNECT_RECV header;
  uint32_t uGroupID;
  uint32_t uEventID;
  uint32_t dwData;
};

struct SIMCONNECT_RECV_SIMOBJECT_DATA {
  SIMCONNECT_RECV header;
  uint32_t dwRequestID;
  uint32_t dwObjectID;
  uint32_t dwDefineID;
  uint32_t dwFlags;
  uint32_t dwentrynumber;
  uint32_t dwoutof;
  uint32_t dwDefineCount;
  uint32_t dwData;  // the data block starts here and runs past the structure
};

struct SIMCONNECT_RECV_SYSTEM_STATE {
  SIMCONNECT_RECV header;
  uint32_t dwRequestID;
  uint32_t dwInteger;
  float fFloat;
  char szString[260];
};

#pragma pack(pop)

static_assert(sizeof(SIMCONNECT_RECV) == 12, "header is three DWORDs");
static_assert(sizeof(SIMCONNECT_RECV_EVENT) == 24, "event record size");
static_assert(offsetof(SIMCONNECT_RECV_EVENT, uEventID) == 16, "event id offset");
static_assert(offsetof(SIMCONNECT_RECV_SIMOBJECT_DATA, dwRequestID) == 12, "request id offset");
static_assert(offsetof(SIMCONNECT_RECV_SIMOBJECT_DATA, dwData) == 40, "object data at byte 40");
static_assert(offsetof(SIMCONNECT_RECV_SYSTEM_STATE, dwInteger) == 16, "dwInteger offset");
static_assert(offsetof(SIMCONNECT_RECV_SYSTEM_STATE, szString) == 24, "szString offset");
static_assert(sizeof(SIMCONNECT_RECV_SYSTEM_STATE) == 284, "system state record size");

enum : uint32_t {
  SIMCONNECT_RECV_ID_NULL = 0,
  SIMCONNECT_RECV_ID_EXCEPTION = 1,
  SIMCONNECT_RECV_ID_OPEN = 2,
  SIMCONNECT_RECV_ID_QUIT = 3,
  SIMCONNECT_RECV_ID_EVENT = 4,
  SIMCONNECT_RECV_ID_SIMOBJECT_DATA = 8,
  SIMCONNECT_RECV_ID_SYSTEM_STATE = 15,
};
