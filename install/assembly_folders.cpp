// Version parsing for the side-by-side folders. A name's version is the
// first field, after the assembly name, made of exactly four dot-separated
// decimal numbers; the hash and the architecture fields around it never
// have that form.

#include "install/assembly_folders.h"

#include <algorithm>
#include <cctype>

static bool ParseVersionField(const std::string& field, AssemblyVersion* version) {
  int part = 0;
  uint64_t value = 0;
  bool digits = false;
  for (size_t i = 0; i <= field.size(); ++i) {
    const char c = i < field.size() ? field[i] : '.';
    if (c >= '0' && c <= '9') {
      value = value * 10 + static_cast<uint64_t>(c - '0');
      if (value > UINT32_MAX) return false;
      digits = true;
    } else if (c == '.') {
      if (!digits || part == 4) return false;
      version->part[part++] = static_cast<uint32_t>(value);
      value = 0;
      digits = false;
    } else {
      return false;
    }
  }
  return part == 4;
}

bool ParseSimConnectFolder(const std::string& name, AssemblyVersion* version) {
  std::string lower(name);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const size_t at = lower.find(kSimConnectAssemblyName);
  if (at == std::string::npos) return false;
  size_t start = at + sizeof kSimConnectAssemblyName - 1;
  while (start < name.size()) {
    if (name[start] == '_') {
      ++start;
      continue;
    }
    size_t end = name.find('_', start);
    if (end == std::string::npos) end = name.size();
    if (ParseVersionField(name.substr(start, end - start), version)) return true;
    start = end;
  }
  return false;
}

int CompareVersions(const AssemblyVersion& a, const AssemblyVersion& b) {
  for (int i = 0; i < 4; ++i) {
    if (a.part[i] != b.part[i]) return a.part[i] < b.part[i] ? -1 : 1;
  }
  return 0;
}

std::vector<std::string> SimConnectFoldersNewestFirst(const std::vector<std::string>& names) {
  struct Found {
    std::string name;
    AssemblyVersion version;
  };
  std::vector<Found> found;
  for (const std::string& name : names) {
    AssemblyVersion version{};
    if (ParseSimConnectFolder(name, &version)) found.push_back({name, version});
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const Found& a, const Found& b) { return CompareVersions(a.version, b.version) > 0; });
  std::vector<std::string> result;
  for (const Found& f : found) result.push_back(f.name);
  return result;
}
