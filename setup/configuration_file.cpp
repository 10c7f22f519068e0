// Reading and crash-safe saving of a configuration file. The device server
// works on the same files from its own process, so a save never writes into
// the live file: the new text goes to a temporary file in the same folder,
// is flushed, and is then moved over the old one in a single rename. On
// NTFS that rename is refused while another process has the file open
// without delete sharing; past the retries the text goes into the live file
// after all, because a save that is lost is worse than one the server might
// read half of.
#include "setup/configuration_file.h"

#include <utility>

namespace {

struct Move {
  const ConfigFileOps& ops;
  const char* from;
  const char* to;
};

MoveResult AttemptMove(void* context) {
  const Move& move = *static_cast<const Move*>(context);
  return move.ops.MoveOver(move.ops.context, move.from, move.to);
}

void WaitFor(void* context, unsigned milliseconds) {
  const ConfigFileOps& ops = static_cast<const Move*>(context)->ops;
  ops.Wait(ops.context, milliseconds);
}

bool WriteInPlace(const ConfigFileOps& ops, const char* path, const std::string& text) {
  // Whoever holds the file must share writing with us; a reader that
  // shares only reading keeps its old text and the save fails.
  void* file = nullptr;
  if (!ops.OpenExisting(ops.context, path, &file)) return false;
  const bool whole =
      ops.Write(ops.context, file, text) && ops.EndHere(ops.context, file) && ops.Flush(ops.context, file);
  return ops.Close(ops.context, file) && whole;
}

}  // namespace

ConfigFileStatus ReadConfigFile(const ConfigFileOps& ops, const char* path, IniDocument* doc) {
  ParseIniDocument(std::string(), doc);
  if (path == nullptr || path[0] == '\0') return kConfigFileUnreadable;
  std::string bytes;
  for (int attempt = 1;; ++attempt) {
    const ConfigReadResult result = ops.ReadWhole(ops.context, path, &bytes);
    if (result == kConfigReadDone) break;
    if (result == kConfigReadMissing) return kConfigFileMissing;
    if (result != kConfigReadHeld || attempt >= kBusyAttempts) return kConfigFileUnreadable;
    ops.Wait(ops.context, kBusyRetryMs);
  }
  ParseIniDocument(std::move(bytes), doc);
  return kConfigFileRead;
}

bool ReplaceConfigFile(const ConfigFileOps& ops, const char* path, const std::string& text) {
  if (path == nullptr || path[0] == '\0') return false;
  // Named after the process so that the device server's own save, should
  // it use the same scheme, never shares our temporary file.
  const std::string temp = std::string(path) + "." + std::to_string(ops.ProcessId(ops.context)) + ".tmp";
  if (temp.size() >= size_t{kConfigPathChars}) return false;

  void* file = nullptr;
  if (!ops.CreateNew(ops.context, temp.c_str(), &file)) return false;
  bool whole = ops.Write(ops.context, file, text);
  whole = whole && ops.Flush(ops.context, file);
  const bool closed = ops.Close(ops.context, file);
  whole = whole && closed;

  Move move = {ops, temp.c_str(), path};
  if (whole && RetryWhileHeld(AttemptMove, WaitFor, &move)) return true;
  const bool saved = whole && WriteInPlace(ops, path, text);
  ops.Remove(ops.context, temp.c_str());
  return saved;
}

bool UpdateConfigFile(const ConfigFileOps& ops, const char* path, const IniWriteList& writes) {
  IniDocument doc;
  const ConfigFileStatus status = ReadConfigFile(ops, path, &doc);
  if (status == kConfigFileUnreadable) return false;
  const bool applied = ApplyIniWrites(&doc, writes);
  if (!doc.changed) return applied && status == kConfigFileRead;
  return ReplaceConfigFile(ops, path, SerializeIniDocument(doc)) && applied;
}
