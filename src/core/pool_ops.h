// Pool operations that release an item's pictures: freeing a slot and dropping a
// custom icon.
#pragma once

#include "core/model.h"
#include "core/paths.h"
#include "platform/file_system.h"

namespace vek {

// Releases the cached images of one image-store index (the Windows side's image store;
// a no-op in tests that do not care).
class ItemImageCache {
 public:
  virtual ~ItemImageCache() = default;
  virtual void ReleaseItemImages(int index) = 0;
};

// True when `path` names something inside `folder`, both compared segment by segment
// as Windows resolves them (either slash, without regard to letter case). A path with a
// "." or ".." segment is never inside: it could step out once resolved.
bool PathIsInFolder(const std::string& path, const std::string& folder);
// True when `path` names a picture file directly in `iconDir` that the program may write
// or delete: a plain file name with a picture extension, no device name, not the user's
// picture (nor the configuration files that share the folder).
bool IsOwnPicturePath(const std::string& path, const std::string& iconDir);

// Deletes `path` when it is a picture of the icon folder (one the program made, never a
// shared one); failures are ignored.
void DeleteOwnPicture(const std::string& path, FileSystem& fs, const Folders& folders);

// Releases the slot's cached images, deletes its picture files and overwrites the whole
// record with an empty one. Only pictures the program made itself are deleted: the
// shared pictures of the system icon folder stay, and a record naming a file outside
// the per-user icon folder never gets that file deleted. Missing files are not errors.
void FreeItem(Model& model, int index, ItemImageCache& images, FileSystem& fs,
              const Folders& folders);

// Releases the slot's cached images, deletes its custom icon file (only inside the
// per-user icon folder) and clears CustomIconFile.
void ResetCustomIcon(Model& model, int index, ItemImageCache& images, FileSystem& fs,
                     const Folders& folders);

}  // namespace vek
