// One configuration file on disk: read whole, sharing it with the device
// server, and saved crash-safe (a temporary file beside it, flushed, then
// moved over it), so that the server, which uses the same files, never
// sees half a file. The steps go through a table of file operations: the
// programs pass the platform's, the tests an in-memory one that can refuse
// any step as Windows would.
#pragma once
#include <string>

#include "setup/ini_document.h"
#include "setup/replace_schedule.h"

// Files bigger than this are not ours: they are neither read nor rewritten.
constexpr unsigned kMaxConfigFileBytes = 64u * 1024u * 1024u;
// Paths, the temporary file's too, fit where the platform's paths fit.
constexpr int kConfigPathChars = 260;  // MAX_PATH, with its NUL

// Another process may hold the file for a moment: a busy open for reading is
// tried this many times, this far apart (at most ~20 ms on the simulator's
// thread). A busy replace waits longer (kReplaceRetryWaitsMs).
constexpr int kBusyAttempts = 5;
constexpr unsigned kBusyRetryMs = 5;

enum ConfigReadResult { kConfigReadDone, kConfigReadMissing, kConfigReadHeld, kConfigReadFailed };

struct ConfigFileOps {
  void* context;
  // Opens the file sharing reading, writing and deletion, reads it whole
  // (up to kMaxConfigFileBytes) and closes it.
  ConfigReadResult (*ReadWhole)(void* context, const char* path, std::string* bytes);
  // A new empty file for writing, shared with no one, in place of any file
  // of that name.
  bool (*CreateNew)(void* context, const char* path, void** file);
  // The existing file for writing, shared with whoever reads or writes it.
  bool (*OpenExisting)(void* context, const char* path, void** file);
  bool (*Write)(void* context, void* file, const std::string& text);  // false unless all of it went
  bool (*EndHere)(void* context, void* file);  // the file ends where the writing stopped
  bool (*Flush)(void* context, void* file);
  bool (*Close)(void* context, void* file);
  MoveResult (*MoveOver)(void* context, const char* from, const char* to);  // one attempt
  void (*Remove)(void* context, const char* path);
  void (*Wait)(void* context, unsigned milliseconds);
  unsigned long (*ProcessId)(void* context);
};

enum ConfigFileStatus {
  kConfigFileRead,        // parsed into the document
  kConfigFileMissing,     // no such file: the document is empty and writable
  kConfigFileUnreadable,  // exists but could not be read: the document is empty
};

// Reads and parses `path`; an empty path counts as unreadable.
ConfigFileStatus ReadConfigFile(const ConfigFileOps& ops, const char* path, IniDocument* doc);

// Replaces the file's content by `text` through a temporary file. When
// another process holds the file open past every retry of the replace, the
// text is written into the file itself and flushed, as the platform's own
// profile functions do. False when neither worked: the old file is then
// untouched, unless the in-place write itself broke off (a full disk). The
// temporary file never stays behind.
bool ReplaceConfigFile(const ConfigFileOps& ops, const char* path, const std::string& text);

// Reads the file, applies the writes in order and saves the result once.
// Nothing is saved when nothing changed, and a file that could not be read
// is never overwritten. True when the file holds all the writes.
bool UpdateConfigFile(const ConfigFileOps& ops, const char* path, const IniWriteList& writes);
