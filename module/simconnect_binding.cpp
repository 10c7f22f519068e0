// Binds the SimConnect functions by their exported names.
#include "module/simconnect_binding.h"

SimConnectFunctions gSimConnect;

namespace {

template <typename Pointer>
bool Bind(HMODULE library, const char* name, bool called, Pointer* slot) {
  // GetProcAddress returns a generic function pointer; going through void*
  // keeps the conversion explicit and warning-free.
  *slot = reinterpret_cast<Pointer>(reinterpret_cast<void*>(GetProcAddress(library, name)));
  return *slot != nullptr || !called;
}

}  // namespace

bool BindSimConnect(HMODULE library) {
  bool usable = true;
#define PIVORA_SIMCONNECT_BIND(name, called, params) \
  usable &= Bind(library, "SimConnect_" #name, called != 0, &gSimConnect.name);
  PIVORA_SIMCONNECT_FUNCTIONS(PIVORA_SIMCONNECT_BIND)
#undef PIVORA_SIMCONNECT_BIND
  return usable;
}
