// Finding the simulator's own SimConnect library among the side-by-side
// assembly folders under %WINDIR%\WinSxS. Folder names look like
//   x86_Microsoft.FlightSimulator.SimConnect_67c7c14424d61b5b_10.0.61259.0_x-ww_...
// and each simulator update installs a newer one beside the older.
// Portable: no Windows header.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr char kSimConnectAssemblyName[] = "microsoft.flightsimulator.simconnect";

struct AssemblyVersion {
  uint32_t part[4];  // major, minor, build, revision
};

// True, with its version, for a SimConnect assembly folder's name: it holds
// kSimConnectAssemblyName (any case) and then a four-part dotted version.
bool ParseSimConnectFolder(const std::string& name, AssemblyVersion* version);

// <0, 0, >0 as a is older than, equal to, newer than b.
int CompareVersions(const AssemblyVersion& a, const AssemblyVersion& b);

// The SimConnect folders among `names`, newest version first; equal
// versions keep their order. Other names are dropped.
std::vector<std::string> SimConnectFoldersNewestFirst(const std::vector<std::string>& names);
