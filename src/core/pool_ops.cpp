#include "core/pool_ops.h"

#include <set>
#include <vector>

#include "text/text.h"

namespace vek {

namespace {
// Both slashes separate segments on Windows, and runs of them count as one.
std::vector<std::string> Segments(const std::string& path) {
  std::vector<std::string> out;
  std::string current;
  for (char c : path) {
    if (c == '\\' || c == '/') {
      if (!current.empty()) out.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) out.push_back(current);
  return out;
}

// ".", "..", and what Windows reads as them ("..." or ".. " lose their trailing dots
// and spaces).
bool IsDotSegment(const std::string& segment) {
  return segment.find_first_not_of(". ") == std::string::npos;
}
}  // namespace

bool PathIsInFolder(const std::string& path, const std::string& folder) {
  // A stored path gets no benefit of the doubt: any "." or ".." segment, which could
  // step out of the folder once the system resolves it, refuses the path.
  const std::vector<std::string> inside = Segments(path);
  const std::vector<std::string> base = Segments(folder);
  if (base.empty() || inside.size() <= base.size()) return false;
  for (const std::string& s : inside)
    if (IsDotSegment(s)) return false;
  for (size_t i = 0; i < base.size(); ++i)
    if (ToUpperAscii(inside[i]) != ToUpperAscii(base[i])) return false;
  // Both begin with a drive, or both with a slash (a network or rooted path).
  const auto rooted = [](const std::string& p) { return !p.empty() && (p[0] == '\\' || p[0] == '/'); };
  return rooted(path) == rooted(folder);
}

namespace {
bool IsDeviceName(const std::string& baseUpper) {
  static const std::set<std::string> kDevices = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  if (kDevices.count(baseUpper)) return true;
  return baseUpper.size() == 4 && (StartsWith(baseUpper, "COM") || StartsWith(baseUpper, "LPT")) &&
         baseUpper[3] >= '0' && baseUpper[3] <= '9';
}

bool ValidIndex(const Model& model, int index) {
  return index >= 0 && index < static_cast<int>(model.Items.size());
}
}  // namespace

bool IsOwnPicturePath(const std::string& path, const std::string& iconDir) {
  if (iconDir.empty() || !PathIsInFolder(path, iconDir)) return false;
  const std::string name = path.substr(iconDir.size());
  if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
  for (unsigned char c : name) {
    if (c < 0x20 || c == '\\' || c == '/' || c == ':' || c == '*' || c == '?' || c == '"' ||
        c == '<' || c == '>' || c == '|')
      return false;
  }
  const std::string upper = ToUpperAscii(name);
  // The program names no picture with a "~": such a name may be the short name of
  // another file, "User Icon.ico" among them.
  if (upper == "USER ICON.ICO" || upper.find('~') != std::string::npos) return false;
  const size_t dot = upper.rfind('.');
  if (dot == std::string::npos || dot == 0) return false;
  static const std::set<std::string> kPictures = {".PNG", ".ICO", ".BMP", ".GIF", ".JPG", ".JPEG"};
  if (!kPictures.count(upper.substr(dot))) return false;
  return !IsDeviceName(TrimFixed(upper.substr(0, upper.find('.'))));
}

void DeleteOwnPicture(const std::string& path, FileSystem& fs, const Folders& folders) {
  // Only a picture the program may have written there, whatever a stored path says: never
  // the settings or the menu beside them, their copies, or the user's picture.
  if (path.empty() || PathIsInFolder(path, folders.SysIconDir)) return;
  if (!IsOwnPicturePath(path, folders.IconDir)) return;
  fs.Delete(path);
}

void FreeItem(Model& model, int index, ItemImageCache& images, FileSystem& fs,
              const Folders& folders) {
  if (!ValidIndex(model, index)) return;
  ShortcutItem& item = model.Items[index];
  images.ReleaseItemImages(index);
  DeleteOwnPicture(item.IconFile, fs, folders);
  DeleteOwnPicture(item.CustomIconFile, fs, folders);
  item = ShortcutItem{};
}

void ResetCustomIcon(Model& model, int index, ItemImageCache& images, FileSystem& fs,
                     const Folders& folders) {
  if (!ValidIndex(model, index)) return;
  ShortcutItem& item = model.Items[index];
  images.ReleaseItemImages(index);
  DeleteOwnPicture(item.CustomIconFile, fs, folders);
  item.CustomIconFile = "";
}

}  // namespace vek
