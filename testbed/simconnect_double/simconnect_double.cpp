// A stand-in for the simulator's SimConnect client library. It records every
// call with all its arguments as a line of text, and delivers queued messages
// through CallDispatch with the SDK's byte layouts. Tests steer it through the
// Double_* exports (see double_control.h).
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
  CRITICAL_SECTION lock;
  std::vector<Call> calls;
  std::deque<std::vector<unsigned char>> queue;
  HRESULT openResult = S_OK;
  bool sendOpenMessage = true;
  bool answerAircraft = false;
  char aircraftTitle[256] = {};
  double aircraftSlew = 0.0;
  int dialogModeReply = -1;
  LARGE_INTEGER frequency;
  LARGE_INTEGER origin;
};

DoubleState& State() {
  static DoubleState* state = [] {
    auto* s = new DoubleState;
    InitializeCriticalSection(&s->lock);
    QueryPerformanceFrequency(&s->frequency);
    QueryPerformanceCounter(&s->origin);
    return s;
  }();
  return *state;
}

struct Lock {
  Lock() { EnterCriticalSection(&State().lock); }
  ~Lock() { LeaveCriticalSection(&State().lock); }
};

double NowMs() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * double(now.QuadPart - State().origin.QuadPart) / double(State().frequency.QuadPart);
}

// Argument formatting: the session handle reads H, a null handle NULL,
// strings are quoted, floats print with enough digits to round-trip.
std::string Arg(HANDLE h) {
  if (h == kSessionHandle) return "H";
  if (h == nullptr) return "NULL";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%p", h);
  return buffer;
}
std::string Arg(DWORD v) { return std::to_string(v); }
std::string Arg(float v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.9g", double(v));
  return buffer;
}
std::string Arg(const char* s) { return s == nullptr ? "NULL" : "\"" + std::string(s) + "\""; }
std::string Arg(const void* p) { return p == nullptr ? "NULL" : "ptr"; }

template <typename... Args>
void Record(const char* name, Args... args) {
  std::string text = name;
  text += '(';
  const char* separator = "";
  for (const std::string& a : {Arg(args)...}) {
    text += separator;
    text += a;
    separator = ", ";
  }
  text += ')';
  Lock lock;
  State().calls.push_back({text, NowMs()});
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
struct OpenRecord {
  Header header;
  char szApplicationName[256];
  DWORD versions[10];
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

template <typename RecordType>
void Stamp(RecordType* record, DWORD id) {
  record->header.dwSize = sizeof(RecordType);
  record->header.dwVersion = 4;
  record->header.dwID = id;
}

}  // namespace

// ---- the SimConnect exports --------------------------------------------------

extern "C" {

__declspec(dllexport) HRESULT __stdcall SimConnect_Open(HANDLE* phSimConnect, LPCSTR szName, HWND hWnd,
                                  DWORD UserEventWin32, HANDLE hEventHandle, DWORD ConfigIndex) {
  Record("Open", static_cast<const void*>(phSimConnect), szName, static_cast<const void*>(hWnd),
         UserEventWin32, static_cast<const void*>(hEventHandle), ConfigIndex);
  HRESULT result;
  bool sendOpen;
  {
    Lock lock;
    result = State().openResult;
    sendOpen = State().sendOpenMessage;
  }
  if (FAILED(result)) return result;
  *phSimConnect = kSessionHandle;
  if (sendOpen) {
    OpenRecord open = {};
    Stamp(&open, 2);
    std::strcpy(open.szApplicationName, "Stand-in simulator");
    Enqueue(&open, sizeof open);
  }
  return result;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_Close(HANDLE h) {
  Record("Close", h);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_AddToDataDefinition(HANDLE h, DWORD DefineID, const char* DatumName,
                                                 const char* UnitsName, DWORD DatumType,
                                                 float fEpsilon, DWORD DatumID) {
  Record("AddToDataDefinition", h, DefineID, DatumName, UnitsName, DatumType, fEpsilon, DatumID);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_CallDispatch(HANDLE h, Dispatch pfcnDispatch, void* pContext) {
  Record("CallDispatch", h, reinterpret_cast<const void*>(pfcnDispatch), pContext);
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

__declspec(dllexport) HRESULT __stdcall SimConnect_RequestDataOnSimObject(HANDLE h, DWORD RequestID, DWORD DefineID,
                                                    DWORD ObjectID, DWORD Period, DWORD Flags,
                                                    DWORD origin, DWORD interval, DWORD limit) {
  Record("RequestDataOnSimObject", h, RequestID, DefineID, ObjectID, Period, Flags, origin,
         interval, limit);
  ObjectDataRecord reply = {};
  {
    Lock lock;
    if (!State().answerAircraft) return S_OK;
    std::memcpy(reply.title, State().aircraftTitle, sizeof reply.title);
    reply.slew = State().aircraftSlew;
  }
  Stamp(&reply, 8);
  reply.dwRequestID = RequestID;
  reply.dwDefineID = DefineID;
  reply.dwentrynumber = 1;
  reply.dwoutof = 1;
  reply.dwDefineCount = 2;
  Enqueue(&reply, sizeof reply);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_SetNotificationGroupPriority(HANDLE h, DWORD GroupID,
                                                          DWORD uPriority) {
  Record("SetNotificationGroupPriority", h, GroupID, uPriority);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_MenuAddItem(HANDLE h, const char* szMenuItem, DWORD MenuEventID,
                                         DWORD dwData) {
  Record("MenuAddItem", h, szMenuItem, MenuEventID, dwData);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_MenuAddSubItem(HANDLE h, DWORD MenuEventID, const char* szMenuItem,
                                            DWORD SubMenuEventID, DWORD dwData) {
  Record("MenuAddSubItem", h, MenuEventID, szMenuItem, SubMenuEventID, dwData);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_AddClientEventToNotificationGroup(HANDLE h, DWORD GroupID,
                                                               DWORD EventID, BOOL bMaskable) {
  Record("AddClientEventToNotificationGroup", h, GroupID, EventID, DWORD(bMaskable));
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_MapClientEventToSimEvent(HANDLE h, DWORD EventID,
                                                      const char* EventName) {
  Record("MapClientEventToSimEvent", h, EventID, EventName);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_TransmitClientEvent(HANDLE h, DWORD ObjectID, DWORD EventID,
                                                 DWORD dwData, DWORD GroupID, DWORD Flags) {
  Record("TransmitClientEvent", h, ObjectID, EventID, dwData, GroupID, Flags);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_SetDataOnSimObject(HANDLE h, DWORD DefineID, DWORD ObjectID,
                                                DWORD Flags, DWORD ArrayCount, DWORD cbUnitSize,
                                                void* pDataSet) {
  Record("SetDataOnSimObject", h, DefineID, ObjectID, Flags, ArrayCount, cbUnitSize,
         static_cast<const void*>(pDataSet));
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_SetSystemState(HANDLE h, const char* szState, DWORD dwInteger,
                                            float fFloat, const char* szString) {
  Record("SetSystemState", h, szState, dwInteger, fFloat, szString);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_RequestSystemState(HANDLE h, DWORD RequestID, const char* szState) {
  Record("RequestSystemState", h, RequestID, szState);
  int reply;
  {
    Lock lock;
    reply = State().dialogModeReply;
  }
  if (reply >= 0 && szState != nullptr && std::strcmp(szState, "DialogMode") == 0) {
    SystemStateRecord state = {};
    Stamp(&state, 15);
    state.dwRequestID = RequestID;
    state.dwInteger = DWORD(reply);
    Enqueue(&state, sizeof state);
  }
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_WeatherRequestInterpolatedObservation(HANDLE h, DWORD RequestID,
                                                                   float lat, float lon,
                                                                   float alt) {
  Record("WeatherRequestInterpolatedObservation", h, RequestID, lat, lon, alt);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_WeatherRequestObservationAtStation(HANDLE h, DWORD RequestID,
                                                                const char* szICAO) {
  Record("WeatherRequestObservationAtStation", h, RequestID, szICAO);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_WeatherRequestObservationAtNearestStation(HANDLE h, DWORD RequestID,
                                                                       float lat, float lon) {
  Record("WeatherRequestObservationAtNearestStation", h, RequestID, lat, lon);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_WeatherSetObservation(HANDLE h, DWORD Seconds, const char* szMETAR) {
  Record("WeatherSetObservation", h, Seconds, szMETAR);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_WeatherSetModeGlobal(HANDLE h) {
  Record("WeatherSetModeGlobal", h);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_WeatherSetModeCustom(HANDLE h) {
  Record("WeatherSetModeCustom", h);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_WeatherSetDynamicUpdateRate(HANDLE h, DWORD dwRate) {
  Record("WeatherSetDynamicUpdateRate", h, dwRate);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_MenuDeleteSubItem(HANDLE h, DWORD MenuEventID, DWORD SubMenuEventID) {
  Record("MenuDeleteSubItem", h, MenuEventID, SubMenuEventID);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_SubscribeToSystemEvent(HANDLE h, DWORD EventID,
                                                    const char* SystemEventName) {
  Record("SubscribeToSystemEvent", h, EventID, SystemEventName);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_UnsubscribeFromSystemEvent(HANDLE h, DWORD EventID) {
  Record("UnsubscribeFromSystemEvent", h, EventID);
  return S_OK;
}

#ifndef DOUBLE_WITHOUT_CAMERA
__declspec(dllexport) HRESULT __stdcall SimConnect_CameraSetRelative6DOF(HANDLE h, float fDeltaX, float fDeltaY,
                                                   float fDeltaZ, float fPitchDeg, float fBankDeg,
                                                   float fHeadingDeg) {
  Record("CameraSetRelative6DOF", h, fDeltaX, fDeltaY, fDeltaZ, fPitchDeg, fBankDeg, fHeadingDeg);
  return S_OK;
}
#endif

__declspec(dllexport) HRESULT __stdcall SimConnect_WeatherSetModeTheme(HANDLE h, const char* szThemeName) {
  Record("WeatherSetModeTheme", h, szThemeName);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_MapInputEventToClientEvent(HANDLE h, DWORD GroupID,
                                                        const char* szInputDefinition,
                                                        DWORD DownEventID, DWORD DownValue,
                                                        DWORD UpEventID, DWORD UpValue,
                                                        BOOL bMaskable) {
  Record("MapInputEventToClientEvent", h, GroupID, szInputDefinition, DownEventID, DownValue,
         UpEventID, UpValue, DWORD(bMaskable));
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_SetInputGroupState(HANDLE h, DWORD GroupID, DWORD dwState) {
  Record("SetInputGroupState", h, GroupID, dwState);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_AIReleaseControl(HANDLE h, DWORD ObjectID, DWORD RequestID) {
  Record("AIReleaseControl", h, ObjectID, RequestID);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_FlightLoad(HANDLE h, const char* szFileName) {
  Record("FlightLoad", h, szFileName);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_ClearNotificationGroup(HANDLE h, DWORD GroupID) {
  Record("ClearNotificationGroup", h, GroupID);
  return S_OK;
}

__declspec(dllexport) HRESULT __stdcall SimConnect_ClearInputGroup(HANDLE h, DWORD GroupID) {
  Record("ClearInputGroup", h, GroupID);
  return S_OK;
}

// ---- control exports for the tests ------------------------------------------

__declspec(dllexport) void Double_Reset(void) {
  Lock lock;
  DoubleState& s = State();
  s.calls.clear();
  s.queue.clear();
  s.openResult = S_OK;
  s.sendOpenMessage = true;
  s.answerAircraft = false;
  s.aircraftTitle[0] = '\0';
  s.aircraftSlew = 0.0;
  s.dialogModeReply = -1;
}

__declspec(dllexport) void Double_SetOpenResult(HRESULT result, int sendOpenMessage) {
  Lock lock;
  State().openResult = result;
  State().sendOpenMessage = sendOpenMessage != 0;
}

__declspec(dllexport) void Double_AnswerAircraft(const char* title, double slew) {
  Lock lock;
  DoubleState& s = State();
  s.answerAircraft = title != nullptr;
  std::memset(s.aircraftTitle, 0, sizeof s.aircraftTitle);
  if (title != nullptr) std::strncpy(s.aircraftTitle, title, sizeof s.aircraftTitle - 1);
  s.aircraftSlew = slew;
}

__declspec(dllexport) void Double_AnswerDialogMode(int dwInteger) {
  Lock lock;
  State().dialogModeReply = dwInteger;
}

__declspec(dllexport) void Double_QueueRaw(const void* bytes, unsigned size) { Enqueue(bytes, size); }

__declspec(dllexport) void Double_QueueEvent(unsigned groupId, unsigned eventId, unsigned data) {
  EventRecord event = {};
  Stamp(&event, 4);
  event.uGroupID = groupId;
  event.uEventID = eventId;
  event.dwData = data;
  Enqueue(&event, sizeof event);
}

__declspec(dllexport) void Double_QueueObjectData(unsigned requestId, const char* title, double slew) {
  ObjectDataRecord data = {};
  Stamp(&data, 8);
  data.dwRequestID = requestId;
  std::strncpy(data.title, title, sizeof data.title - 1);
  data.slew = slew;
  Enqueue(&data, sizeof data);
}

__declspec(dllexport) void Double_QueueSystemState(unsigned requestId, unsigned dwInteger) {
  SystemStateRecord state = {};
  Stamp(&state, 15);
  state.dwRequestID = requestId;
  state.dwInteger = dwInteger;
  Enqueue(&state, sizeof state);
}

__declspec(dllexport) void Double_QueueHeaderOnly(unsigned id) {
  Header header = {sizeof(Header), 4, id};
  Enqueue(&header, sizeof header);
}

__declspec(dllexport) int Double_PendingMessages(void) {
  Lock lock;
  return int(State().queue.size());
}

__declspec(dllexport) int Double_CallCount(void) {
  Lock lock;
  return int(State().calls.size());
}

__declspec(dllexport) int Double_CallText(int index, char* buffer, int size) {
  Lock lock;
  const std::vector<Call>& calls = State().calls;
  if (index < 0 || size_t(index) >= calls.size() || size <= 0) return 0;
  std::snprintf(buffer, size_t(size), "%s", calls[size_t(index)].text.c_str());
  return 1;
}

__declspec(dllexport) double Double_CallTimeMs(int index) {
  Lock lock;
  const std::vector<Call>& calls = State().calls;
  if (index < 0 || size_t(index) >= calls.size()) return -1.0;
  return calls[size_t(index)].timeMs;
}

}  // extern "C"
