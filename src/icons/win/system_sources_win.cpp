#include "icons/win/system_sources_win.h"

#include <windows.h>

#include "platform/win/text_win.h"

namespace vek::win {

uint32_t Win32Drives::DriveType(const std::string& root) { return GetDriveTypeW(Wide(root).c_str()); }

std::vector<std::string> Win32Drives::LogicalDriveRoots() {
  std::vector<std::string> roots;
  wchar_t buffer[1024] = {};
  const DWORD n = GetLogicalDriveStringsW(1024, buffer);
  if (n == 0 || n > 1024) return roots;
  for (const wchar_t* p = buffer; *p; p += wcslen(p) + 1) roots.push_back(Utf8(p));
  return roots;
}

bool Win32VersionResources::ReadVersionResource(const std::string& file, Bytes& out) {
  out.clear();
  const std::wstring path = Wide(file);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return false;
  out.resize(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, out.data())) {
    out.clear();
    return false;
  }
  return true;
}

}  // namespace vek::win
