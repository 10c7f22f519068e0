// Reading and crash-safe saving of a configuration file. The device server
// works on the same files from its own process, so reads share everything
// (read, write and delete: a save of the other side can replace the file
// under our open handle) and a save never writes into the live file: the
// new text goes to a temporary file in the same folder, is flushed, and is
// then moved over the old one in a single rename. On NTFS that rename is
// refused while another process has the file open without delete sharing;
// past the retries the text goes into the live file after all, because a
// save that is lost is worse than one the server might read half of.
#include "setup/configuration_file_win.h"

#include <windows.h>

#include <cstdio>
#include <utility>

#include "setup/replace_file_win.h"

ConfigFileFaultProc gConfigFileFault;

namespace {

bool StepAllowed(ConfigFileStep step) { return gConfigFileFault == nullptr || gConfigFileFault(step); }

struct FileHandle {
  HANDLE handle = INVALID_HANDLE_VALUE;
  ~FileHandle() {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
  // Closes now and tells whether the system accepted it.
  bool Close() {
    const BOOL closed = CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
    return closed != FALSE;
  }
};

bool ReadAll(HANDLE file, std::string* bytes) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 || size.QuadPart > kMaxConfigFileBytes) return false;
  bytes->assign(static_cast<size_t>(size.QuadPart), '\0');
  size_t have = 0;
  while (have < bytes->size()) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(bytes->size() - have);
    if (!ReadFile(file, &(*bytes)[have], want, &got, nullptr)) return false;
    if (got == 0) break;  // the file shrank under us: take what is there
    have += got;
  }
  bytes->resize(have);
  return true;
}

// `allowed` false writes half and fails, as a full disk would.
bool WriteAll(HANDLE file, const std::string& text, bool allowed) {
  size_t length = text.size();
  if (!allowed) length /= 2;
  size_t done = 0;
  while (done < length) {
    DWORD wrote = 0;
    const DWORD chunk = static_cast<DWORD>(length - done > 0x10000000u ? 0x10000000u : length - done);
    if (!WriteFile(file, text.data() + done, chunk, &wrote, nullptr) || wrote == 0) return false;
    done += wrote;
  }
  return allowed;
}

bool RefuseReplace(void*) { return !StepAllowed(kFileStepReplace); }

bool WriteInPlace(const char* path, const std::string& text) {
  FileHandle file;
  if (StepAllowed(kFileStepOpenInPlace)) {
    // Whoever holds the file must share writing with us; a reader that
    // shares only reading keeps its old text and the save fails.
    file.handle = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  if (file.handle == INVALID_HANDLE_VALUE) return false;
  const bool whole = WriteAll(file.handle, text, true) && SetEndOfFile(file.handle) && FlushFileBuffers(file.handle);
  return file.Close() && whole;
}

}  // namespace

ConfigFileStatus ReadConfigFile(const char* path, IniDocument* doc) {
  ParseIniDocument(std::string(), doc);
  if (path == nullptr || path[0] == '\0') return kConfigFileUnreadable;
  FileHandle file;
  for (int attempt = 1;; ++attempt) {
    if (StepAllowed(kFileStepOpen)) {
      file.handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    } else {
      SetLastError(ERROR_SHARING_VIOLATION);
    }
    if (file.handle != INVALID_HANDLE_VALUE) break;
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return kConfigFileMissing;
    if (!IsHeldFileError(error) || attempt >= kBusyAttempts) return kConfigFileUnreadable;
    Sleep(kBusyRetryMs);
  }
  std::string bytes;
  if (!StepAllowed(kFileStepRead) || !ReadAll(file.handle, &bytes)) return kConfigFileUnreadable;
  file.Close();
  ParseIniDocument(std::move(bytes), doc);
  return kConfigFileRead;
}

bool ReplaceConfigFile(const char* path, const std::string& text) {
  if (path == nullptr || path[0] == '\0') return false;
  // Named after the process so that the device server's own save, should
  // it use the same scheme, never shares our temporary file.
  char temp[MAX_PATH];
  const int length = std::snprintf(temp, sizeof temp, "%s.%lu.tmp", path,
                                   static_cast<unsigned long>(GetCurrentProcessId()));
  if (length < 0 || length >= static_cast<int>(sizeof temp)) return false;

  FileHandle file;
  if (StepAllowed(kFileStepCreateTemp)) {
    file.handle = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  if (file.handle == INVALID_HANDLE_VALUE) return false;
  bool whole = WriteAll(file.handle, text, StepAllowed(kFileStepWrite));
  whole = whole && StepAllowed(kFileStepFlush) && FlushFileBuffers(file.handle);
  const bool closed = file.Close();
  whole = whole && closed && StepAllowed(kFileStepClose);

  if (whole && MoveOverWithRetry(temp, path, RefuseReplace, nullptr)) return true;
  const bool saved = whole && WriteInPlace(path, text);
  DeleteFileA(temp);
  return saved;
}

bool UpdateConfigFile(const char* path, const IniWriteList& writes) {
  IniDocument doc;
  const ConfigFileStatus status = ReadConfigFile(path, &doc);
  if (status == kConfigFileUnreadable) return false;
  const bool applied = ApplyIniWrites(&doc, writes);
  if (!doc.changed) return applied && status == kConfigFileRead;
  return ReplaceConfigFile(path, SerializeIniDocument(doc)) && applied;
}
