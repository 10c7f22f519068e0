// The module's own copy of the SimConnect client library, bound by name.
// One ordered list produces the pointer types, the table and the loader, so
// the order of the names and their calling convention live in one place.
#pragma once
#include "module/simconnect_abi.h"

// X(name, called, parameters): every function is extern "C" HRESULT __stdcall.
// `called` marks the functions the module uses; the others are bound too.
#define PIVORA_SIMCONNECT_FUNCTIONS(X)                                                           \
  X(Open, 1, (HANDLE * phSimConnect, LPCSTR szName, HWND hWnd, DWORD UserEventWin32,            \
              HANDLE hEventHandle, DWORD ConfigIndex))                                           \
  X(Close, 1, (HANDLE hSimConnect))                                                              \
  X(AddToDataDefinition, 1, (HANDLE hSimConnect, DWORD DefineID, const char* DatumName,          \
                             const char* UnitsName, DWORD DatumType, float fEpsilon,             \
                             DWORD DatumID))                                                     \
  X(CallDispatch, 1, (HANDLE hSimConnect, DispatchProc pfcnDispatch, void* pContext))            \
  X(RequestDataOnSimObject, 1, (HANDLE hSimConnect, DWORD RequestID, DWORD DefineID,             \
                                DWORD ObjectID, DWORD Period, DWORD Flags, DWORD origin,         \
                                DWORD interval, DWORD limit))                                    \
  X(SetNotificationGroupPriority, 1, (HANDLE hSimConnect, DWORD GroupID, DWORD uPriority))       \
  X(MenuAddItem, 1, (HANDLE hSimConnect, const char* szMenuItem, DWORD MenuEventID,              \
                     DWORD dwData))                                                              \
  X(MenuAddSubItem, 1, (HANDLE hSimConnect, DWORD MenuEventID, const char* szMenuItem,           \
                        DWORD SubMenuEventID, DWORD dwData))                                     \
  X(AddClientEventToNotificationGroup, 1, (HANDLE hSimConnect, DWORD GroupID, DWORD EventID,     \
                                           BOOL bMaskable))                                      \
  X(MapClientEventToSimEvent, 1, (HANDLE hSimConnect, DWORD EventID, const char* EventName))     \
  X(TransmitClientEvent, 1, (HANDLE hSimConnect, DWORD ObjectID, DWORD EventID, DWORD dwData,    \
                             DWORD GroupID, DWORD Flags))                                        \
  X(SetDataOnSimObject, 0, (HANDLE hSimConnect, DWORD DefineID, DWORD ObjectID, DWORD Flags,     \
                            DWORD ArrayCount, DWORD cbUnitSize, void* pDataSet))                 \
  X(SetSystemState, 1, (HANDLE hSimConnect, const char* szState, DWORD dwInteger, float fFloat,  \
                        const char* szString))                                                   \
  X(RequestSystemState, 1, (HANDLE hSimConnect, DWORD RequestID, const char* szState))           \
  X(WeatherRequestInterpolatedObservation, 0, (HANDLE hSimConnect, DWORD RequestID, float lat,   \
                                               float lon, float alt))                            \
  X(WeatherRequestObservationAtStation, 0, (HANDLE hSimConnect, DWORD RequestID,                 \
                                            const char* szICAO))                                 \
  X(WeatherRequestObservationAtNearestStation, 0, (HANDLE hSimConnect, DWORD RequestID,          \
                                                   float lat, float lon))                        \
  X(WeatherSetObservation, 0, (HANDLE hSimConnect, DWORD Seconds, const char* szMETAR))          \
  X(WeatherSetModeGlobal, 0, (HANDLE hSimConnect))                                               \
  X(WeatherSetModeCustom, 0, (HANDLE hSimConnect))                                               \
  X(WeatherSetDynamicUpdateRate, 0, (HANDLE hSimConnect, DWORD dwRate))                          \
  X(MenuDeleteSubItem, 0, (HANDLE hSimConnect, DWORD MenuEventID, DWORD SubMenuEventID))         \
  X(SubscribeToSystemEvent, 0, (HANDLE hSimConnect, DWORD EventID,                               \
                                const char* SystemEventName))                                    \
  X(UnsubscribeFromSystemEvent, 0, (HANDLE hSimConnect, DWORD EventID))                          \
  X(CameraSetRelative6DOF, 1, (HANDLE hSimConnect, float fDeltaX, float fDeltaY, float fDeltaZ,  \
                               float fPitchDeg, float fBankDeg, float fHeadingDeg))              \
  X(WeatherSetModeTheme, 0, (HANDLE hSimConnect, const char* szThemeName))                       \
  X(MapInputEventToClientEvent, 0, (HANDLE hSimConnect, DWORD GroupID,                           \
                                    const char* szInputDefinition, DWORD DownEventID,            \
                                    DWORD DownValue, DWORD UpEventID, DWORD UpValue,             \
                                    BOOL bMaskable))                                             \
  X(SetInputGroupState, 0, (HANDLE hSimConnect, DWORD GroupID, DWORD dwState))                   \
  X(AIReleaseControl, 0, (HANDLE hSimConnect, DWORD ObjectID, DWORD RequestID))                  \
  X(FlightLoad, 0, (HANDLE hSimConnect, const char* szFileName))                                 \
  X(ClearNotificationGroup, 0, (HANDLE hSimConnect, DWORD GroupID))                              \
  X(ClearInputGroup, 0, (HANDLE hSimConnect, DWORD GroupID))

#define PIVORA_SIMCONNECT_POINTER_TYPE(name, called, params) \
  typedef HRESULT(WINAPI* SimConnect_##name##_fn) params;
PIVORA_SIMCONNECT_FUNCTIONS(PIVORA_SIMCONNECT_POINTER_TYPE)
#undef PIVORA_SIMCONNECT_POINTER_TYPE

struct SimConnectFunctions {
#define PIVORA_SIMCONNECT_FIELD(name, called, params) SimConnect_##name##_fn name;
  PIVORA_SIMCONNECT_FUNCTIONS(PIVORA_SIMCONNECT_FIELD)
#undef PIVORA_SIMCONNECT_FIELD
};

constexpr int kSimConnectFunctionCount = 32;
static_assert(sizeof(SimConnectFunctions) == kSimConnectFunctionCount * sizeof(void*),
              "one pointer per bound name");

extern SimConnectFunctions gSimConnect;

// Looks every name up in `library`, in list order. Returns false when one of
// the functions the module calls is missing: the library is then unusable.
bool BindSimConnect(HMODULE library);
