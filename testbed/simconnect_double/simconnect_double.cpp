// A stand-in for the simulator's SimConnect client library. It exports the
// functions the module calls, records every call with all its arguments as a
// line of text, and delivers queued messages through CallDispatch with the
// SDK's byte layouts. Tests steer it through the Double_* exports (see
// double_control.h).
//
// The layouts and signatures here are written out independently of the
// module's own declarations, so that one mistake cannot hide in both.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "testbed/simconnect_double/double_control.h"

namespace {

typedef void(__stdcall* Dispatch)(void* record, DWORD size, void* context);

HANDLE const kSessionHandle = reinterpret_cast<HANDLE>(0x5C0);

struct Call {
  std::string text;
  double timeMs;
};

struct DoubleState {
  DoubleState() {
    InitializeCriticalSection(&lock);
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&origin);
  }
  CRITICAL_SECTION lock;
  std::vector<Call> calls;
  std::deque<std::vector<unsigned char>> queue;
  HRESULT openResult = S_OK;
  bool answerAircraft = false;
  char aircraftTitle[256] = {};
  double aircraftSlew = 0.0;
  LARGE_INTEGER frequency, origin;
};

DoubleState& State() {
  static DoubleState state;
  return state;
}

struct Lock {
  Lock() { EnterCriticalSection(&State().lock); }
  ~Lock() { LeaveCriticalSection(&State().lock); }
};

// Argument formatting: the session handle reads H, a null handle NULL, any
// other "?"; strings are quoted, floats print with enough digits to round-trip.
std::string Arg(HANDLE h) { return h == kSessionHandle ? "H" : h == nullptr ? "NULL" : "?"; }
std::string Arg(DWORD v) { return std::to_string(v); }
std::string Arg(BOOL v) { return std::to_string(v); }
std::string Arg(float v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.9g", double(v));
  return buffer;
}
std::string Arg(const char* s) { return s == nullptr ? "NULL" : "\"" + std::string(s) + "\""; }
std::string Arg(const void* p) { return p == nullptr ? "NULL" : "ptr"; }

template <typename... Args>
void Record(const char* name, Args... args) {
  std::string text = std::string(name) + "(";
  const char* separator = "";
  for (const std::string& a : {Arg(args)...}) text += separator + a, separator = ", ";
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  Lock lock;
  State().calls.push_back({text + ")", 1000.0 * double(now.QuadPart - State().origin.QuadPart) /
                                           double(State().frequency.QuadPart)});
}

void Enqueue(const void* bytes, DWORD size) {
  const auto* p = static_cast<const unsigned char*>(bytes);
  Lock lock;
  State().queue.emplace_back(p, p + size);
}

#pragma pack(push, 1)
struct Header {
  DWORD dwSize, dwVersion, dwID;
};
struct EventRecord {
  Header header;
  DWORD uGroupID, uEventID, dwData;
};
struct ObjectDataRecord {
  Header header;
  DWORD dwRequestID, dwObjectID, dwDefineID, dwFlags, dwentrynumber, dwoutof, dwDefineCount;
  char title[256];  // the data block begins where the SDK's dwData field stands
  double slew;
};
struct SystemStateRecord {
  Header header;
  DWORD dwRequestID, dwInteger;
  float fFloat;
  char szString[260];
};
#pragma pack(pop)
static_assert(sizeof(Header) == 12, "");
static_assert(offsetof(ObjectDataRecord, title) == 40, "object data at byte 40");
static_assert(sizeof(ObjectDataRecord) == 40 + 264, "");
static_assert(sizeof(SystemStateRecord) == 284, "");

}  // namespace

#define EXPORT extern "C" __declspec(dllexport) HRESULT __stdcall
// An export that only records its call.
#define RECORDED(name, params, ...)    \
  EXPORT SimConnect_##name params {    \
    Record(#name, __VA_ARGS__);        \
    return S_OK;                       \
  }

EXPORT SimConnect_Open(HANDLE* phSimConnect, LPCSTR szName, HWND hWnd, DWORD UserEventWin32, HANDLE hEventHandle,
                       DWORD ConfigIndex) {
  Record("Open", static_cast<const void*>(phSimConnect), szName, static_cast<const void*>(hWnd), UserEventWin32,
         static_cast<const void*>(hEventHandle), ConfigIndex);
  Lock lock;
  if (FAILED(State().openResult)) return State().openResult;
  *phSimConnect = kSessionHandle;
  const Header open = {sizeof open, 4, 2};  // the module reads nothing of it
  Enqueue(&open, sizeof open);
  return S_OK;
}

EXPORT SimConnect_CallDispatch(HANDLE h, Dispatch pfcnDispatch, void* pContext) {
  Record("CallDispatch", h, reinterpret_cast<const void*>(pfcnDispatch), static_cast<const void*>(pContext));
  // Deliver what was queued when the pump began. A dialog opened by the
  // handler pumps again from inside, so each message is taken off the queue
  // before it is handed over.
  size_t pending;
  {
    Lock lock;
    pending = State().queue.size();
  }
  for (; pending > 0; --pending) {
    std::vector<unsigned char> message;
    {
      Lock lock;
      if (State().queue.empty()) break;
      message.swap(State().queue.front());
      State().queue.pop_front();
    }
    pfcnDispatch(message.data(), DWORD(message.size()), pContext);
  }
  return S_OK;
}

EXPORT SimConnect_RequestDataOnSimObject(HANDLE h, DWORD RequestID, DWORD DefineID, DWORD ObjectID, DWORD Period,
                                         DWORD Flags, DWORD origin, DWORD interval, DWORD limit) {
  Record("RequestDataOnSimObject", h, RequestID, DefineID, ObjectID, Period, Flags, origin, interval, limit);
  ObjectDataRecord reply = {};
  {
    Lock lock;
    if (!State().answerAircraft) return S_OK;
    std::memcpy(reply.title, State().aircraftTitle, sizeof reply.title);
    reply.slew = State().aircraftSlew;
  }
  reply.header = {sizeof reply, 4, 8};
  reply.dwRequestID = RequestID;
  reply.dwDefineID = DefineID;
  reply.dwentrynumber = reply.dwoutof = 1;
  reply.dwDefineCount = 2;
  Enqueue(&reply, sizeof reply);
  return S_OK;
}

EXPORT SimConnect_RequestSystemState(HANDLE h, DWORD RequestID, const char* szState) {
  Record("RequestSystemState", h, RequestID, szState);
  if (szState == nullptr || std::strcmp(szState, "DialogMode") != 0) return S_OK;
  SystemStateRecord state = {};
  state.header = {sizeof state, 4, 15};
  state.dwRequestID = RequestID;
  state.dwInteger = 1;
  Enqueue(&state, sizeof state);
  return S_OK;
}

RECORDED(Close, (HANDLE h), h)
RECORDED(AddToDataDefinition,
         (HANDLE h, DWORD DefineID, const char* DatumName, const char* UnitsName, DWORD DatumType, float fEpsilon,
          DWORD DatumID),
         h, DefineID, DatumName, UnitsName, DatumType, fEpsilon, DatumID)
RECORDED(SetNotificationGroupPriority, (HANDLE h, DWORD GroupID, DWORD uPriority), h, GroupID, uPriority)
RECORDED(MenuAddItem, (HANDLE h, const char* szMenuItem, DWORD MenuEventID, DWORD dwData), h, szMenuItem,
         MenuEventID, dwData)
RECORDED(MenuAddSubItem, (HANDLE h, DWORD MenuEventID, const char* szMenuItem, DWORD SubMenuEventID, DWORD dwData),
         h, MenuEventID, szMenuItem, SubMenuEventID, dwData)
RECORDED(AddClientEventToNotificationGroup, (HANDLE h, DWORD GroupID, DWORD EventID, BOOL bMaskable), h, GroupID,
         EventID, bMaskable)
RECORDED(MapClientEventToSimEvent, (HANDLE h, DWORD EventID, const char* EventName), h, EventID, EventName)
RECORDED(TransmitClientEvent, (HANDLE h, DWORD ObjectID, DWORD EventID, DWORD dwData, DWORD GroupID, DWORD Flags), h,
         ObjectID, EventID, dwData, GroupID, Flags)
RECORDED(SetSystemState, (HANDLE h, const char* szState, DWORD dwInteger, float fFloat, const char* szString), h,
         szState, dwInteger, fFloat, szString)
#ifndef DOUBLE_WITHOUT_CAMERA
RECORDED(CameraSetRelative6DOF,
         (HANDLE h, float fDeltaX, float fDeltaY, float fDeltaZ, float fPitchDeg, float fBankDeg, float fHeadingDeg),
         h, fDeltaX, fDeltaY, fDeltaZ, fPitchDeg, fBankDeg, fHeadingDeg)
#endif

#define CONTROL extern "C" __declspec(dllexport)

CONTROL void Double_SetOpenResult(HRESULT result) {
  Lock lock;
  State().openResult = result;
}

CONTROL void Double_AnswerAircraft(const char* title, double slew) {
  Lock lock;
  DoubleState& s = State();
  s.answerAircraft = true;
  std::snprintf(s.aircraftTitle, sizeof s.aircraftTitle, "%s", title);
  s.aircraftSlew = slew;
}

CONTROL void Double_QueueEvent(unsigned groupId, unsigned eventId, unsigned data) {
  EventRecord event = {{sizeof event, 4, 4}, groupId, eventId, data};
  Enqueue(&event, sizeof event);
}

CONTROL int Double_PendingMessages(void) {
  Lock lock;
  return int(State().queue.size());
}

CONTROL int Double_CallCount(void) {
  Lock lock;
  return int(State().calls.size());
}

CONTROL int Double_CallText(int index, char* buffer, int size) {
  Lock lock;
  const std::vector<Call>& calls = State().calls;
  if (index < 0 || size_t(index) >= calls.size() || size <= 0) return 0;
  std::snprintf(buffer, size_t(size), "%s", calls[size_t(index)].text.c_str());
  return 1;
}

CONTROL double Double_CallTimeMs(int index) {
  Lock lock;
  const std::vector<Call>& calls = State().calls;
  return index < 0 || size_t(index) >= calls.size() ? -1.0 : calls[size_t(index)].timeMs;
}
