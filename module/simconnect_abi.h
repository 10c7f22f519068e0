// The parts of the SimConnect client ABI that the module uses, declared from
// the SDK's documented layouts. Every structure is packed to 1 byte; the
// static_asserts pin each size, offset and id so that a wrong constant fails
// the build instead of misreading the simulator's messages.
#pragma once
#include <windows.h>
#include <cstddef>

#pragma pack(push, 1)

struct SIMCONNECT_RECV {
  DWORD dwSize;
  DWORD dwVersion;
  DWORD dwID;
};

struct SIMCONNECT_RECV_EVENT {
  SIMCONNECT_RECV header;
  DWORD uGroupID;
  DWORD uEventID;
  DWORD dwData;
};

struct SIMCONNECT_RECV_SIMOBJECT_DATA {
  SIMCONNECT_RECV header;
  DWORD dwRequestID;
  DWORD dwObjectID;
  DWORD dwDefineID;
  DWORD dwFlags;
  DWORD dwentrynumber;
  DWORD dwoutof;
  DWORD dwDefineCount;
  DWORD dwData;  // the data block starts here and runs past the structure
};

struct SIMCONNECT_RECV_SYSTEM_STATE {
  SIMCONNECT_RECV header;
  DWORD dwRequestID;
  DWORD dwInteger;
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

enum : DWORD {
  SIMCONNECT_RECV_ID_NULL = 0,
  SIMCONNECT_RECV_ID_EXCEPTION = 1,
  SIMCONNECT_RECV_ID_OPEN = 2,
  SIMCONNECT_RECV_ID_QUIT = 3,
  SIMCONNECT_RECV_ID_EVENT = 4,
  SIMCONNECT_RECV_ID_SIMOBJECT_DATA = 8,
  SIMCONNECT_RECV_ID_SYSTEM_STATE = 15,
};

enum : DWORD {
  SIMCONNECT_DATATYPE_FLOAT64 = 4,
  SIMCONNECT_DATATYPE_STRING256 = 9,
};

enum : DWORD { SIMCONNECT_PERIOD_ONCE = 1 };

constexpr DWORD SIMCONNECT_UNUSED = 0xFFFFFFFFu;
constexpr DWORD SIMCONNECT_OBJECT_ID_USER = 0;
constexpr DWORD SIMCONNECT_GROUP_PRIORITY_HIGHEST = 1;
constexpr DWORD SIMCONNECT_EVENT_FLAG_GROUPID_IS_PRIORITY = 0x10;

typedef void(CALLBACK* DispatchProc)(SIMCONNECT_RECV* pData, DWORD cbData, void* pContext);
