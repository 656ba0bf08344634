#include "replay/output/native_file.h"

#include <windows.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace nimbo::replay::native {

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

bool Failed() {
  lastError = GetLastError();
  return false;
}

// Windows' own path calls, so that any name the person can type works, not only those of
// the ANSI code page. An invalid UTF-8 name comes out empty, which every call refuses.
std::wstring Wide(const std::string& path) {
  if (path.empty()) return {};
  const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(),
                                       static_cast<int>(path.size()), nullptr, 0);
  if (size <= 0) return {};
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), static_cast<int>(path.size()),
                      wide.data(), size);
  return wide;
}

// Six characters of a name no other staged file of this process or another has at this
// moment; CreateBeside tries again when one is taken after all.
std::string UniqueSuffix() {
  static std::atomic<unsigned long long> counter{0};
  unsigned long long seed = (static_cast<unsigned long long>(GetCurrentProcessId()) << 32) ^
                            GetTickCount64() ^ (counter.fetch_add(1) * 0x9E3779B97F4A7C15ull);
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string suffix;
  for (int i = 0; i < 6; ++i) {
    suffix += kLetters[seed % 62];
    seed /= 62;
  }
  return suffix;
}

// The C library's number for the common failures, so that the person reads the same
// reason as on the other platforms.
int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    default:
      return 0;
  }
}

}  // namespace

File CreateBeside(const std::string& destination, std::string& temporary) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = destination + ".tmp-" + UniqueSuffix();
    const std::wstring wide = Wide(name);
    if (wide.empty()) {
      lastError = ERROR_INVALID_NAME;
      return kNoFile;
    }
    // A new file takes the permissions its folder gives new files, as a file the
    // person saved there would; nothing is shared until it is renamed into place.
    const HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      temporary = name;
      return reinterpret_cast<File>(file);
    }
    Failed();
    if (lastError != ERROR_FILE_EXISTS && lastError != ERROR_ALREADY_EXISTS) return kNoFile;
  }
  return kNoFile;
}

bool WriteAll(File file, std::string_view text) {
  const HANDLE handle = reinterpret_cast<HANDLE>(file);
  const char* data = text.data();
  size_t left = text.size();
  while (left > 0) {
    const DWORD piece = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
    DWORD written = 0;
    if (!WriteFile(handle, data, piece, &written, nullptr)) return Failed();
    if (written == 0) {
      lastError = ERROR_WRITE_FAULT;
      return false;
    }
    data += written;
    left -= written;
  }
  return true;
}

bool MakeDurable(File file) {
  return FlushFileBuffers(reinterpret_cast<HANDLE>(file)) || Failed();
}

bool Close(File file) {
  return CloseHandle(reinterpret_cast<HANDLE>(file)) || Failed();
}

bool ReplaceWith(const std::string& from, const std::string& to) {
  const std::wstring wideFrom = Wide(from);
  const std::wstring wideTo = Wide(to);
  if (wideFrom.empty() || wideTo.empty()) {
    lastError = ERROR_INVALID_NAME;
    return false;
  }
  // Write-through: the call returns only once the rename itself is on the disk.
  return MoveFileExW(wideFrom.c_str(), wideTo.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ||
         Failed();
}

void Remove(const std::string& path) {
  const std::wstring wide = Wide(path);
  if (!wide.empty()) DeleteFileW(wide.c_str());
}

std::string LastReason() {
  if (const int number = ErrnoOf(lastError); number != 0) return std::strerror(number);
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, lastError, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string reason;
  if (length > 0) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                         nullptr, nullptr);
    reason.resize(static_cast<size_t>(size));
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), reason.data(), size, nullptr,
                        nullptr);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == ' ' || reason.back() == '.')) {
      reason.pop_back();
    }
  }
  LocalFree(text);
  if (reason.empty()) reason = "Windows error " + std::to_string(lastError);
  return reason;
}

}  // namespace nimbo::replay::native
