// One configuration file on disk: read whole with full sharing, and saved
// crash-safe (a temporary file beside it, flushed, then moved over it), so
// that the device server, which uses the same files, never sees half a file.
#pragma once
#include <string>

#include "setup/ini_document.h"

// The steps of reading and saving, in order, for the fault-injection seam.
enum ConfigFileStep {
  kFileStepOpen,        // open the file for reading
  kFileStepRead,        // read its bytes
  kFileStepCreateTemp,  // create the temporary file
  kFileStepWrite,       // write the new text into it (a refused write leaves half of it)
  kFileStepFlush,       // flush it to disk
  kFileStepClose,       // close it
  kFileStepReplace,     // move it over the file; asked again on every retry
  kFileStepOpenInPlace, // open the file itself for writing, once the replace has been refused to the end
  kFileStepCount
};

// Test seam: when set, asked before each step; false makes the step fail
// as the system would refuse it. Always null in the shipped module.
typedef bool (*ConfigFileFaultProc)(ConfigFileStep step);
extern ConfigFileFaultProc gConfigFileFault;

// Files bigger than this are not ours: they are neither read nor rewritten.
constexpr unsigned kMaxConfigFileBytes = 64u * 1024u * 1024u;

// Another process may hold the file for a moment: a busy open for reading is
// tried this many times, this far apart (at most ~20 ms on the simulator's
// thread). A busy replace waits longer (MoveOverWithRetry).
constexpr int kBusyAttempts = 5;
constexpr unsigned kBusyRetryMs = 5;

enum ConfigFileStatus {
  kConfigFileRead,        // parsed into the document
  kConfigFileMissing,     // no such file: the document is empty and writable
  kConfigFileUnreadable,  // exists but could not be read: the document is empty
};

// Reads and parses `path`; an empty path counts as unreadable.
ConfigFileStatus ReadConfigFile(const char* path, IniDocument* doc);

// Replaces the file's content by `text` through a temporary file. When
// another process holds the file open past every retry of the replace, the
// text is written into the file itself and flushed, as the platform's own
// profile functions do. False when neither worked: the old file is then
// untouched, unless the in-place write itself broke off (a full disk). The
// temporary file never stays behind.
bool ReplaceConfigFile(const char* path, const std::string& text);

// Reads the file, applies the writes in order and saves the result once.
// Nothing is saved when nothing changed, and a file that could not be read
// is never overwritten. True when the file holds all the writes.
bool UpdateConfigFile(const char* path, const IniWriteList& writes);
