// Win32 side of the add-on lists' file steps: plain kernel32 file calls,
// each reporting only whether it fully succeeded.
#include "remover/file_ops_win.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "setup/replace_file_win.h"

namespace {

constexpr DWORD kAppDataPathChars = 2048;
constexpr DWORD kModulePathMaxChars = 32768;
// A 32-bit process can't hold much more than this in one piece; a larger
// "list" is not a list and is left alone.
constexpr unsigned long long kLargestListBytes = 256ull * 1024 * 1024;
constexpr DWORD kWriteChunkBytes = 1 << 20;

static_assert(kAttributeHidden == FILE_ATTRIBUTE_HIDDEN && kAttributeSystem == FILE_ATTRIBUTE_SYSTEM &&
                  kAttributeFolder == FILE_ATTRIBUTE_DIRECTORY && INVALID_FILE_ATTRIBUTES == 0xFFFFFFFF,
              "the portable attribute bits are the platform's");

bool ExistsOp(void*, const std::string& path) { return FileExistsAt(path); }

bool ReadWholeFileOp(void*, const std::string& path, std::string* contents) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = false;
  LARGE_INTEGER size;
  if (GetFileSizeEx(file, &size) && static_cast<unsigned long long>(size.QuadPart) <= kLargestListBytes) {
    contents->assign(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    ok = true;
    while (done < contents->size()) {
      DWORD got = 0;
      DWORD want = static_cast<DWORD>(contents->size() - done);
      if (!ReadFile(file, &(*contents)[done], want, &got, nullptr) || got == 0) {
        ok = false;
        break;
      }
      done += got;
    }
  }
  CloseHandle(file);
  return ok;
}

bool WriteNewFileOp(void*, const std::string& path, const std::string& contents) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < contents.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size() - done, kWriteChunkBytes));
    DWORD written = 0;
    // A full disk shows up as a short count, not always as a failed call.
    ok = WriteFile(file, contents.data() + done, chunk, &written, nullptr) && written == chunk;
    done += written;
  }
  // Only flushed bytes are sure to be on the disk when the file is moved
  // over the list; a failure here means they may never get there.
  if (!FlushFileBuffers(file)) ok = false;
  if (!CloseHandle(file)) ok = false;
  return ok;
}

bool CopyOverOp(void*, const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

bool MoveOverOp(void*, const std::string& from, const std::string& to) {
  return MoveOverWithRetry(from.c_str(), to.c_str());
}

bool RemoveFileOp(void*, const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

}  // namespace

bool StartProgram(void*, const std::string& commandLine) {
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWMINIMIZED;
  PROCESS_INFORMATION process = {};
  // No folder given: the child starts in ours, where ST6UNST.LOG lies.
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool FileExistsAt(const std::string& path) { return CountsAsFile(GetFileAttributesA(path.c_str())); }

std::string ApplicationDataFolder() {
  std::vector<char> buffer(kAppDataPathChars, '\0');
  // The result isn't examined: the removal reports nothing, and without the
  // folder the buffer simply stays empty.
  SHGetSpecialFolderPathA(nullptr, buffer.data(), CSIDL_APPDATA, FALSE);
  buffer.back() = '\0';
  return std::string(buffer.data());
}

std::string OwnExecutablePath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size()) return std::string(buffer.data(), length);
    if (buffer.size() >= kModulePathMaxChars) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}

FileOps PlatformFileOps() {
  return FileOps{nullptr, ExistsOp, ReadWholeFileOp, WriteNewFileOp, CopyOverOp, MoveOverOp, RemoveFileOp};
}
