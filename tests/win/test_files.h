// Where the Wine tests find the source tree and the built program's resources.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/win/handles.h"
#include "platform/win/system_info_win.h"
#include "platform/win/text_win.h"

namespace vek::test {

// The source tree as the Windows side sees it (Wine maps the Linux root to Z:).
inline std::string SourceFolder() {
  std::string path = "Z:" + std::string(VEK_SOURCE_DIR);
  std::replace(path.begin(), path.end(), '/', '\\');
  return path + "\\";
}

// The program's own resources, read from the built program without running it.
inline win::UniqueModule ProgramResources() {
  const std::wstring exe = win::Wide(win::ProgramFolder() + "..\\..\\src\\app\\VekDesktop.exe");
  return win::UniqueModule(
      LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

}  // namespace vek::test
