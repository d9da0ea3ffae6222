#include "platform/win/file_system_win.h"

#include <windows.h>

#include <iterator>

#include "platform/log.h"
#include "text/text.h"
#include "platform/win/handles.h"
#include "platform/win/text_win.h"

namespace vek::win {

namespace {
UniqueKernelHandle OpenForReading(const std::string& path) {
  return UniqueKernelHandle(CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool ReadExactly(HANDLE file, uint8_t* data, size_t count) {
  while (count > 0) {
    const DWORD chunk = count > (1u << 30) ? (1u << 30) : static_cast<DWORD>(count);
    DWORD got = 0;
    if (!ReadFile(file, data, chunk, &got, nullptr) || got == 0) return false;
    data += got;
    count -= got;
  }
  return true;
}

// Runs `step` until it succeeds. A file another process has open (a reader of the same
// file, a backup, a virus scanner) cannot be replaced until it lets go, which takes a
// moment, and a save must not fail for that; other failures are not waited on.
template <typename Step>
bool WaitingOutReaders(const std::string& what, Step step) {
  constexpr DWORD kWaitsMs[] = {10, 20, 40, 80, 160, 200};
  for (size_t attempt = 0;; ++attempt) {
    if (step()) return true;
    const DWORD error = GetLastError();
    const bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
                      error == ERROR_LOCK_VIOLATION;
    if (!held || attempt == std::size(kWaitsMs)) {
      WriteLog(what + " failed: error " + HexCode(error));
      return false;
    }
    Sleep(kWaitsMs[attempt]);
  }
}
}  // namespace

uint32_t Win32FileSystem::Attributes(const std::string& path) {
  if (path.empty()) return attr::kInvalid;
  return GetFileAttributesW(Wide(path).c_str());
}

bool Win32FileSystem::ReadAll(const std::string& path, Bytes& out) {
  out.clear();
  UniqueKernelHandle file = OpenForReading(path);
  if (!file) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || size.QuadPart > (1LL << 31))
    return false;
  out.resize(static_cast<size_t>(size.QuadPart));
  if (!out.empty() && !ReadExactly(file.get(), out.data(), out.size())) {
    out.clear();
    return false;
  }
  return true;
}

bool Win32FileSystem::ReadRange(const std::string& path, uint64_t offset, size_t count,
                                Bytes& out) {
  out.clear();
  UniqueKernelHandle file = OpenForReading(path);
  if (!file) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return false;
  const uint64_t total = static_cast<uint64_t>(size.QuadPart);
  if (offset > total || count > total - offset) return false;
  LARGE_INTEGER to{};
  to.QuadPart = static_cast<LONGLONG>(offset);
  if (!SetFilePointerEx(file.get(), to, nullptr, FILE_BEGIN)) return false;
  out.resize(count);
  if (count > 0 && !ReadExactly(file.get(), out.data(), count)) {
    out.clear();
    return false;
  }
  return true;
}

bool Win32FileSystem::WriteAll(const std::string& path, const Bytes& data) {
  UniqueKernelHandle file;
  const std::wstring wide = Wide(path);
  if (!WaitingOutReaders("writing " + path, [&] {
        file.reset(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        return static_cast<bool>(file);
      }))
    return false;
  const uint8_t* p = data.data();
  size_t left = data.size();
  while (left > 0) {
    const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
    DWORD written = 0;
    if (!WriteFile(file.get(), p, chunk, &written, nullptr) || written == 0) return false;
    p += written;
    left -= written;
  }
  // The data must be on the disk before callers replace the previous file with it.
  return FlushFileBuffers(file.get()) != 0;
}

bool Win32FileSystem::Delete(const std::string& path) {
  const std::wstring wide = Wide(path);
  if (DeleteFileW(wide.c_str())) return true;
  // A missing file is no failure worth a word; one held for a moment is waited out.
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return false;
  return WaitingOutReaders("deleting " + path, [&] { return DeleteFileW(wide.c_str()) != 0; });
}

bool Win32FileSystem::Copy(const std::string& from, const std::string& to) {
  return WaitingOutReaders("copying " + from + " to " + to, [&] {
    return CopyFileW(Wide(from).c_str(), Wide(to).c_str(), FALSE) != 0;
  });
}

bool Win32FileSystem::Move(const std::string& from, const std::string& to) {
  return WaitingOutReaders("moving " + from + " to " + to, [&] {
    return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH) != 0;
  });
}

bool Win32FileSystem::CreateFolder(const std::string& path) {
  if (CreateDirectoryW(Wide(path).c_str(), nullptr)) return true;
  const DWORD a = GetFileAttributesW(Wide(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<DirEntry> Win32FileSystem::List(const std::string& folder, const std::string& pattern) {
  return TryList(folder, pattern).value_or(std::vector<DirEntry>{});
}

std::optional<std::vector<DirEntry>> Win32FileSystem::TryList(const std::string& folder, const std::string& pattern) {
  std::vector<DirEntry> out;
  WIN32_FIND_DATAW data{};
  UniqueFindHandle find(FindFirstFileW(Wide(WithTrailingBackslash(folder) + pattern).c_str(), &data));
  if (!find) {
    // No match is an answer; anything else means the folder could not be read.
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return out;
    return std::nullopt;
  }
  do {
    out.push_back({Utf8(data.cFileName), data.dwFileAttributes});
  } while (FindNextFileW(find.get(), &data));
  return out;
}

int64_t Win32FileSystem::Length(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return -1;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

namespace {

// A path as GetShortPathNameW or GetLongPathNameW gives it; empty when it cannot.
std::string ConvertedPath(const std::string& path, DWORD (*convert)(LPCWSTR, LPWSTR, DWORD)) {
  if (path.empty()) return std::string();
  const std::wstring wide = Wide(path);
  // The first call tells the size; the name may change between the calls, so try again.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const DWORD needed = convert(wide.c_str(), nullptr, 0);
    if (needed == 0) return std::string();
    std::wstring out(needed, L'\0');
    const DWORD got = convert(wide.c_str(), out.data(), needed);
    if (got == 0) return std::string();
    if (got < needed) {
      out.resize(got);
      return Utf8(out);
    }
  }
  return std::string();
}

}  // namespace

std::string Win32ShortPaths::ShortPath(const std::string& path) { return ConvertedPath(path, GetShortPathNameW); }

std::string Win32ShortPaths::LongPath(const std::string& path) { return ConvertedPath(path, GetLongPathNameW); }

}  // namespace vek::win
