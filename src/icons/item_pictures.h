// What item creation needs from the image side of the program: writing the pictures of
// new items as PNG files and loading or releasing an item's images in the image store.
// The Windows side implements it with the icon extraction and the GDI+ image store;
// the native tests record the calls and write stand-in files.
#pragma once

#include <cstdint>
#include <string>

#include "core/pool_ops.h"

namespace vek {

class ItemPictures : public ItemImageCache {
 public:
  // Writes icon `iconIndex` of the program or library `file` as a PNG picture to `dest`,
  // replacing what `dest` held. A non-negative index is the 0-based position among the
  // module's icon groups (past the last one: the last group); a negative index -n names
  // the icon group with resource identifier n. The best image of the group is taken
  // (256 pixels first, then the widest, then the most colours). False when the file is
  // no module, holds no icon group or nothing could be written.
  virtual bool WriteModuleIcon(const std::string& file, int32_t iconIndex,
                               const std::string& dest) = 0;
  // Writes the shell's large icon of `file` (any file or folder) as a PNG picture to
  // `dest`. False when the shell gives no icon or nothing could be written.
  virtual bool WriteShellIcon(const std::string& file, const std::string& dest) = 0;
  // Converts the `.ico` file `source` (or a PNG picture stored under that name) into the
  // PNG picture `dest`, choosing the best image of the icon. False on any failure.
  virtual bool ConvertIconFile(const std::string& source, const std::string& dest) = 0;
  // Loads the picture of pool item `index` into the image store: its custom icon, else
  // its IconFile, else the shell's icon of its Link; with none of them the item's
  // ImageIndex falls back to the picture of its PathKind.
  virtual void LoadItemIcon(int index) = 0;
  // ReleaseItemImages(index), inherited: drops every cached image of the item.
};

}  // namespace vek
