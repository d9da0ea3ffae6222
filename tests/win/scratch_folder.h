// A fresh folder under the temporary folder for one test, emptied and removed afterwards.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "core/paths.h"
#include "platform/win/file_system_win.h"
#include "platform/win/system_info_win.h"
#include "platform/win/text_win.h"

namespace vek::win {

class ScratchFolder {
 public:
  ScratchFolder() {
    static std::atomic<int> serial{0};
    Win32ShellFolders shell;
    path_ = GetTempLocation(shell, "", true) + "vek-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount()) + "-" + std::to_string(serial++) + "\\";
    CreateDirectoryW(Wide(path_).c_str(), nullptr);
  }
  ~ScratchFolder() {
    Win32FileSystem fs;
    for (const DirEntry& e : fs.List(path_, "*.*"))
      if (!(e.attributes & attr::kDirectory)) fs.Delete(path_ + e.name);
    RemoveDirectoryW(Wide(path_).c_str());
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace vek::win
