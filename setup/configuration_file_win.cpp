// kernel32 behind the configuration files' operations. Reads share
// everything (read, write and delete: a save of the device server can
// replace the file under our open handle); the rest is plain handles.
#include "setup/configuration_file_win.h"

#include <windows.h>

#include "setup/replace_file_win.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr size_t kWriteChunkBytes = 0x10000000u;

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

ConfigReadResult ReadWhole(void*, const char* path, std::string* bytes) {
  HANDLE file = CreateFileA(path, GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return kConfigReadMissing;
    return IsHeldFileError(error) ? kConfigReadHeld : kConfigReadFailed;
  }
  const bool read = ReadAll(file, bytes);
  CloseHandle(file);
  return read ? kConfigReadDone : kConfigReadFailed;
}

bool Opened(HANDLE handle, void** file) {
  *file = handle;
  return handle != INVALID_HANDLE_VALUE;
}

bool CreateNew(void*, const char* path, void** file) {
  return Opened(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr), file);
}

bool OpenExisting(void*, const char* path, void** file) {
  return Opened(CreateFileA(path, GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
                file);
}

bool Write(void*, void* file, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    DWORD wrote = 0;
    const size_t left = text.size() - done;
    const DWORD chunk = static_cast<DWORD>(left > kWriteChunkBytes ? kWriteChunkBytes : left);
    if (!WriteFile(file, text.data() + done, chunk, &wrote, nullptr) || wrote == 0) return false;
    done += wrote;
  }
  return true;
}

bool EndHere(void*, void* file) { return SetEndOfFile(file) != FALSE; }
bool Flush(void*, void* file) { return FlushFileBuffers(file) != FALSE; }
bool Close(void*, void* file) { return CloseHandle(file) != FALSE; }
MoveResult MoveOver(void*, const char* from, const char* to) { return MoveOverOnce(from, to); }
void Remove(void*, const char* path) { DeleteFileA(path); }
void Wait(void*, unsigned milliseconds) { Sleep(milliseconds); }
unsigned long ProcessId(void*) { return GetCurrentProcessId(); }

}  // namespace

const ConfigFileOps kPlatformConfigFileOps = {nullptr, ReadWhole, CreateNew, OpenExisting, Write,
                                              EndHere, Flush, Close, MoveOver, Remove, Wait, ProcessId};
