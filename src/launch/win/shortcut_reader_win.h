// Reading shortcut files through the shell's COM objects.
#pragma once

#include "launch/shortcut_files.h"

namespace vek::win {

// COM must be initialised on the calling thread.
class Win32ShortcutReader : public ShortcutReader {
 public:
  std::optional<LinkFields> Read(const std::string& linkPath, Route route) override;
  std::string InstallerTarget(const std::string& linkPath) override;
};

}  // namespace vek::win
