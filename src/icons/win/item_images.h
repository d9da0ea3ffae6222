// Filling the image store: the skin pictures compiled into the program, the centre
// item's picture, and every item's picture by its kind; and re-making one size of the
// cached variants after the sizes change.
#pragma once

#include <vector>

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "core/model.h"
#include "core/paths.h"
#include "icons/win/image_store.h"
#include "platform/file_system.h"

namespace vek::win {

// The picture files one loading pass over the ring's pictures has decoded: a file that
// several of them show (a shared system picture such as the blank shortcut's) is read and
// decoded once per pass, and let go once its last planned user has it. Files only one
// item shows are decoded for that item alone. The decoded pictures belong to the thread
// of the pass.
class PassPictures {
 public:
  // Plans the pass over every ring picture of `model` (the ring positions, templates,
  // fallbacks and catalogue items they show): counts the items naming each file.
  explicit PassPictures(const Model& model);
  // The picture of `file`, null when it cannot be read. Shared while other items of the
  // pass still name the file; the caller may keep it as long as it needs.
  std::shared_ptr<Gdiplus::Bitmap> Load(const std::string& file);
  // Files decoded so far.
  size_t decodes() const { return decodes_; }

 private:
  struct Shared {
    int uses = 0;  // planned loads still to come
    bool decoded = false;
    std::shared_ptr<Gdiplus::Bitmap> picture;
  };
  std::unordered_map<std::string, Shared> byFile_;  // by upper-case path
  size_t decodes_ = 0;
};

struct ImageLoader {
  Model& model;
  // Asks whether picture files and links exist; the program's waits on a network place
  // that does not answer at most its time limit.
  FileSystem& fs;
  const Folders& folders;
  ImageStore& images;
  // The side of each size variant in use (index 0 unused: the full picture).
  const std::array<int32_t, ImageStore::kVariants>& iconSizes;
  int32_t& borderSize;  // set to the "BORDER" picture's width
  HMODULE resources;    // the module whose "CUSTOM" resources hold the skin
  // The centre's side while the pointer is on it; 0: the largest size.
  int32_t centreMagnifiedSize = 0;
  // The pass the loads belong to; null: each load decodes its file itself (and the
  // bulk loads below make a pass of their own).
  PassPictures* pass = nullptr;
};

// Loads an item's picture into image index `index`: its custom icon file, else its icon
// file, else the shell's icon for its link (asked on a worker within a time limit; not
// asked when the link is missing or lies, or leads, in a network place that does not
// answer), whichever first gives a picture.
// Without one the item's ImageIndex becomes the fallback picture of its PathKind (40
// blank shortcut, 41 application, 39 file). Group members and commands get the 32-pixel
// variant only, the centre item the normal variant at the largest size, every other kind
// the normal variant plus the full-size image at the largest size. Trimmed texts are
// written back.
void LoadItemIcon(ImageLoader& loader, int index);

// The skin pictures into their skin slots at the sizes the dock and the menus draw them;
// the "BORDER" picture's width becomes the loader's borderSize.
void LoadSkinImages(ImageLoader& loader);

// The centre's picture (image 0, normal variant at the largest size, and the magnified
// variant at the loader's magnified centre size): the centre item's own icon file when
// it exists, else the "LOGO" skin picture. The picture as loaded stays as variant 0, for
// RemakeCentreMagnified.
void LoadCentreImage(ImageLoader& loader);

// Re-makes the centre's magnified variant `side` pixels square from the picture it was
// loaded from, cut round to a ring `borderSize` wide: the centre grows with the ring's
// magnification, so a new icon size changes it.
void RemakeCentreMagnified(ImageStore& images, int side, int borderSize);

// What the ring's first frame shows, in start-up order: skins, the centre, the fallback
// pictures 39..42, then the items of the first `shownPositions` ring positions and the
// pictures they show. Group members and the command catalogue are decoded when
// something first draws them.
void LoadShownImages(ImageLoader& l, int shownPositions);

// The rest of the ring's pictures: the positions beyond the shown ones and the template
// pictures a ring item may turn into. Start-up decodes them after the first frame is
// painted.
std::vector<int> PicturesShownLater(const Model& model, int shownPositions);

// LoadShownImages, then the pictures shown later.
void LoadAllImages(ImageLoader& l);

// Re-makes size variant `variant` (1..4) of the item plate and of image indices 1..64
// from their full-size pictures, `side` pixels square.
void RebuildSizeCache(ImageStore& images, int variant, int side);

}  // namespace vek::win
