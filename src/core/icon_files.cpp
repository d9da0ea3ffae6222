#include "core/icon_files.h"

#include "core/pool_ops.h"
#include "text/text.h"

namespace vek {

namespace {
constexpr char kSharedPictureFolder[] = "SYSICONS";
}  // namespace

bool IsSharedPicturePath(const std::string& path, const std::string& sysIconDir) {
  if (PathIsInFolder(path, sysIconDir)) return true;
  // "...\SysIcons\<name>" of whichever folder the program lived in when it was written.
  const std::string folder = FolderPart(path);
  if (folder.size() < 2) return false;
  return PathIsInFolder(path, folder) &&
         ToUpperAscii(NamePart(folder.substr(0, folder.size() - 1))) == kSharedPictureFolder;
}

std::string SharedPictureHere(FileSystem& fs, const std::string& path, const std::string& sysIconDir) {
  if (sysIconDir.empty() || !IsSharedPicturePath(path, sysIconDir) || PathIsInFolder(path, sysIconDir))
    return path;
  const std::string here = sysIconDir + NamePart(path);
  const uint32_t a = fs.Attributes(here);
  return a != attr::kInvalid && !(a & attr::kDirectory) ? here : path;
}

std::string NewIconFileName(FileSystem& fs, const std::string& iconDir) {
  return NewIconFileName(fs, iconDir, nullptr);
}

std::string NewIconFileName(FileSystem& fs, const std::string& iconDir,
                            const std::function<bool(const std::string&)>& taken) {
  unsigned long from = 0;
  return NewIconFileName(fs, iconDir, taken, from);
}

std::string NewIconFileName(FileSystem& fs, const std::string& iconDir,
                            const std::function<bool(const std::string&)>& taken, unsigned long& next) {
  for (unsigned long n = next;; ++n) {
    std::string name = iconDir + std::to_string(n) + ".png";
    if (taken && taken(name)) continue;
    if (fs.Attributes(name) != attr::kInvalid) continue;
    next = n + 1;
    return name;
  }
}

}  // namespace vek
