#include "core/pool_ops.h"

#include "text/text.h"

namespace vek {

bool PathIsInFolder(const std::string& path, const std::string& folder) {
  return !folder.empty() && StartsWith(ToUpperAscii(path), ToUpperAscii(folder));
}

namespace {
void DeleteOwnPicture(const std::string& path, FileSystem& fs, const Folders& folders) {
  if (path.empty() || PathIsInFolder(path, folders.SysIconDir)) return;
  if (!PathIsInFolder(path, folders.IconDir)) return;
  if (NamePart(path).empty()) return;
  fs.Delete(path);
}

bool ValidIndex(const Model& model, int index) {
  return index >= 0 && index < static_cast<int>(model.Items.size());
}
}  // namespace

void FreeItem(Model& model, int index, ItemImageCache& images, FileSystem& fs,
              const Folders& folders) {
  if (!ValidIndex(model, index)) return;
  ShortcutItem& item = model.Items[index];
  images.ReleaseItemImages(index);
  DeleteOwnPicture(item.IconFile.Trimmed(), fs, folders);
  DeleteOwnPicture(item.CustomIconFile.Trimmed(), fs, folders);
  item = ShortcutItem{};
}

void ResetCustomIcon(Model& model, int index, ItemImageCache& images, FileSystem& fs,
                     const Folders& folders) {
  if (!ValidIndex(model, index)) return;
  ShortcutItem& item = model.Items[index];
  images.ReleaseItemImages(index);
  DeleteOwnPicture(item.CustomIconFile.Trimmed(), fs, folders);
  item.CustomIconFile = "";
}

}  // namespace vek
