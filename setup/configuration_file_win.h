// The platform's file operations for configuration files, and the reads and
// saves that use them.
#pragma once
#include "setup/configuration_file.h"

extern const ConfigFileOps kPlatformConfigFileOps;

inline ConfigFileStatus ReadConfigFile(const char* path, IniDocument* doc) {
  return ReadConfigFile(kPlatformConfigFileOps, path, doc);
}
inline bool UpdateConfigFile(const char* path, const IniWriteList& writes) {
  return UpdateConfigFile(kPlatformConfigFileOps, path, writes);
}
