// The parts of the SimConnect client ABI that the module uses beyond the
// message layouts (simconnect_records.h): the constants it passes and the
// dispatch callback's type, declared from the SDK's documentation.
#pragma once
#include <windows.h>

#include "module/simconnect_records.h"

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
