// The add-on lists' file steps carried out on the real file system.
#pragma once
#include <string>

#include "remover/file_ops.h"

// A file, not a folder, that is neither hidden nor a system file.
bool FileExistsAt(const std::string& path);

// The per-user application data folder (CSIDL_APPDATA), without a trailing
// backslash; empty when the platform has none.
std::string ApplicationDataFolder();

// Full path of this program's executable.
std::string OwnExecutablePath();

FileOps PlatformFileOps();

// Starts the command line as a new process, minimized, without waiting.
bool StartProgram(void* context, const std::string& commandLine);
