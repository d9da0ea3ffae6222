#include "core/icon_files.h"

namespace vek {

std::string NewIconFileName(FileSystem& fs, const std::string& iconDir) {
  return NewIconFileName(fs, iconDir, nullptr);
}

std::string NewIconFileName(FileSystem& fs, const std::string& iconDir,
                            const std::function<bool(const std::string&)>& taken) {
  for (unsigned long n = 0;; ++n) {
    std::string name = iconDir + std::to_string(n) + ".png";
    if (fs.Attributes(name) != attr::kInvalid) continue;
    if (taken && taken(name)) continue;
    return name;
  }
}

}  // namespace vek
