#include "icons/win/item_images.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "icons/win/icon_extraction.h"
#include "text/text.h"

namespace vek::win {

PassPictures::PassPictures(const Model& model) {
  std::vector<int> indices = RingItems(model);
  for (int i = pool::kFileImage; i <= pool::kGroupImage; ++i) indices.push_back(i);
  for (int index : indices) {
    if (index < 0 || index >= static_cast<int>(model.Items.size())) continue;
    const ShortcutItem& item = model.Items[index];
    // Either may be the one read; a custom file read leaves the other's count unused.
    for (const std::string& file : {item.CustomIconFile, item.IconFile})
      if (!file.empty()) ++byFile_[ToUpperAscii(file)].uses;
  }
}

std::shared_ptr<Gdiplus::Bitmap> PassPictures::Load(const std::string& file) {
  const auto found = byFile_.find(ToUpperAscii(file));
  if (found == byFile_.end() || (found->second.uses < 2 && !found->second.decoded)) {
    ++decodes_;
    return std::shared_ptr<Gdiplus::Bitmap>(LoadPictureFile(file));
  }
  Shared& shared = found->second;
  if (!shared.decoded) {
    shared.picture = std::shared_ptr<Gdiplus::Bitmap>(LoadPictureFile(file));
    shared.decoded = true;
    ++decodes_;
  }
  std::shared_ptr<Gdiplus::Bitmap> picture = shared.picture;
  if (--shared.uses <= 0) byFile_.erase(found);
  return picture;
}

void LoadItemIcon(ImageLoader& l, int index) {
  if (index < 0 || index >= static_cast<int>(l.model.Items.size())) return;
  ShortcutItem& item = l.model.Items[index];
  const std::string custom = item.CustomIconFile;
  const std::string iconFile = item.IconFile;
  const std::string link = item.Link;
  l.images.ReleaseItemImages(index);
  // A freed record has no picture; a late request (a menu repainting the row it just lost)
  // must not write a stand-in into it, which the next save would keep.
  if (item.Kind == ItemKind::kFree) return;

  // A file the pass shares is decoded once; anything else belongs to this load alone.
  std::shared_ptr<Gdiplus::Bitmap> own;
  auto load = [&](const std::string& file) -> Gdiplus::Bitmap* {
    own = l.pass ? l.pass->Load(file) : std::shared_ptr<Gdiplus::Bitmap>(LoadPictureFile(file));
    return own.get();
  };
  Gdiplus::Bitmap* picture = nullptr;
  if (l.fs.Exists(custom)) picture = load(custom);
  if (!picture && l.fs.Exists(iconFile)) picture = load(iconFile);
  if (!picture && !link.empty()) {
    own = std::shared_ptr<Gdiplus::Bitmap>(ItemShellIcon(l.fs, link, item.Target));
    picture = own.get();
  }
  if (!picture) {
    item.ImageIndex = FallbackImage(item.PathKind);
    return;
  }
  // The stand-in an earlier load gave (kept in the menu file) goes once the item's own
  // picture is there again.
  const bool usersItem =
      (index >= pool::kRingFirst && index <= pool::kRingLast) || index >= pool::kMemberFirst;
  if (usersItem && item.ImageIndex == FallbackImage(item.PathKind)) item.ImageIndex = index;
  const std::array<int32_t, 5>& sizes = l.iconSizes;
  switch (item.Kind) {
    case ItemKind::kMember:
    case ItemKind::kCommand:
      l.images.Set(ImageSet::kItem, index, 4, *picture, sizes[4], sizes[4]);
      break;
    case ItemKind::kCentre:
      l.images.Set(ImageSet::kItem, index, 1, *picture, sizes[3], sizes[3]);
      break;
    default:
      l.images.Set(ImageSet::kItem, index, 1, *picture, sizes[1], sizes[1]);
      l.images.Set(ImageSet::kItem, index, 0, *picture, sizes[3], sizes[3]);
      break;
  }
}

void LoadSkinImages(ImageLoader& l) {
  for (const SkinPicture& s : kSkinPictures) {
    l.images.Release(ImageSet::kSkin, s.index);
    BitmapPtr picture = LoadPictureBytes(LoadResourceBytes(l.resources, "CUSTOM", s.name));
    if (!picture) continue;
    switch (s.storage) {
      case SkinStorage::kDockSizes:
        l.images.Set(ImageSet::kSkin, s.index, 0, *picture);
        for (int v = 1; v < ImageStore::kVariants; ++v)
          l.images.Set(ImageSet::kSkin, s.index, v, *picture, l.iconSizes[v], l.iconSizes[v]);
        break;
      case SkinStorage::kCached:
        l.images.Set(ImageSet::kSkin, s.index, 1, *picture, s.width, s.height);
        break;
      case SkinStorage::kImage:
        l.images.Set(ImageSet::kSkin, s.index, 0, *picture);
        break;
      case SkinStorage::kBorder: {
        const int side = static_cast<int>(picture->GetWidth());
        l.borderSize = side;
        l.images.Set(ImageSet::kSkin, s.index, 1, *picture, side, side);
        break;
      }
    }
  }
}

namespace {
// The centre picture sits inside the round "BORDER" ring: the corners of a square
// picture that reach beyond the ring (they would show over the wallpaper) become
// transparent, with a one-pixel soft edge. Everything the ring covers stays as it is.
BitmapPtr RoundedToTheRing(Gdiplus::Image& picture, int side, double radius) {
  BitmapPtr round = ScaleImage(picture, side, side);
  if (!round) return round;
  Gdiplus::Rect all(0, 0, side, side);
  Gdiplus::BitmapData data{};
  if (round->LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB,
                      &data) != Gdiplus::Ok)
    return round;
  const double middle = side / 2.0;
  for (int y = 0; y < side; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride);
    for (int x = 0; x < side; ++x) {
      const double dx = x + 0.5 - middle, dy = y + 0.5 - middle;
      const double cover = radius + 0.5 - std::sqrt(dx * dx + dy * dy);
      if (cover >= 1.0) continue;
      const uint32_t alpha = cover <= 0.0 ? 0 : static_cast<uint32_t>((row[x] >> 24) * cover);
      row[x] = (row[x] & 0x00FFFFFFu) | (alpha << 24);
    }
  }
  round->UnlockBits(&data);
  return round;
}

// The ring's outer edge, less the soft rim of its picture.
double RingRadius(int borderSize) { return borderSize / 2.0 - 3.0; }
}  // namespace

void LoadCentreImage(ImageLoader& l) {
  ShortcutItem& centre = l.model.Items[pool::kCentre];
  const std::string own = centre.IconFile;
  BitmapPtr picture;
  if (l.fs.Exists(own)) picture = LoadPictureFile(own);
  if (!picture) picture = LoadPictureBytes(LoadResourceBytes(l.resources, "CUSTOM", "LOGO"));
  l.images.ReleaseItemImages(pool::kCentre);
  if (!picture) return;
  const int side = l.iconSizes[3];
  BitmapPtr round = RoundedToTheRing(*picture, side, RingRadius(l.borderSize));
  l.images.Set(ImageSet::kItem, pool::kCentre, 1, round ? *round : *picture, side, side);
  l.images.Set(ImageSet::kItem, pool::kCentre, 0, *picture);
  RemakeCentreMagnified(l.images, l.centreMagnifiedSize > 0 ? l.centreMagnifiedSize : side, l.borderSize);
}

void RemakeCentreMagnified(ImageStore& images, int side, int borderSize) {
  Gdiplus::Bitmap* picture = images.Get(ImageSet::kItem, pool::kCentre, 0);
  if (!picture) return;
  // Under the pointer the centre shows larger, still centred in and cut round to the
  // same ring.
  BitmapPtr large = RoundedToTheRing(*picture, side, RingRadius(borderSize));
  if (large) images.Set(ImageSet::kItem, pool::kCentre, kCentreMagnifiedVariant, *large, side, side);
}

namespace {
bool IsFallback(int index) { return index >= pool::kFileImage && index <= pool::kGroupImage; }

// The pictures the first `shownPositions` ring positions draw: each position's item, the
// picture it shows and its group's shown item.
std::vector<int> PicturesShownNow(const Model& model, int shownPositions) {
  std::vector<int> shown;
  const int items = static_cast<int>(model.Items.size());
  auto add = [&](int index) {
    if (index <= pool::kCentre || index >= items) return;
    shown.push_back(index);
    const int image = model.Items[index].ImageIndex;
    if (image > pool::kCentre && image < items) shown.push_back(image);
  };
  for (int position = pool::kRingFirst; position <= std::min(shownPositions, pool::kRingLast); ++position) {
    add(position);
    if (position < static_cast<int>(model.Groups.size()) && !model.Groups[position].Members.empty())
      add(model.Groups[position].Members[0]);
  }
  return shown;
}
}  // namespace

std::vector<int> PicturesShownLater(const Model& model, int shownPositions) {
  const std::vector<int> now = PicturesShownNow(model, shownPositions);
  std::vector<int> later;
  for (int index : RingItems(model))
    if (!IsFallback(index) && std::find(now.begin(), now.end(), index) == now.end()) later.push_back(index);
  return later;
}

namespace {
// LoadShownImages within the loader's pass.
void LoadShownPictures(ImageLoader& l, int shownPositions) {
  LoadSkinImages(l);
  LoadCentreImage(l);
  for (int i = pool::kFileImage; i <= pool::kGroupImage; ++i) LoadItemIcon(l, i);
  const std::vector<int> later = PicturesShownLater(l.model, shownPositions);
  for (int index : RingItems(l.model)) {
    if (IsFallback(index) || std::find(later.begin(), later.end(), index) != later.end()) continue;
    LoadItemIcon(l, index);
  }
}

// Runs `load` with a loader whose loads belong to a pass: the caller's, else one of its own.
template <typename Load>
void InOnePass(ImageLoader& l, Load load) {
  std::optional<PassPictures> own;
  ImageLoader inPass = l;
  if (!inPass.pass) inPass.pass = &own.emplace(l.model);
  load(inPass);
}
}  // namespace

void LoadShownImages(ImageLoader& l, int shownPositions) {
  InOnePass(l, [&](ImageLoader& inPass) { LoadShownPictures(inPass, shownPositions); });
}

void LoadAllImages(ImageLoader& l) {
  InOnePass(l, [&](ImageLoader& inPass) {
    LoadShownPictures(inPass, pool::kRingLast);
    for (int index : PicturesShownLater(l.model, pool::kRingLast)) LoadItemIcon(inPass, index);
  });
}

void RebuildSizeCache(ImageStore& images, int variant, int side) {
  if (variant < 1 || variant >= ImageStore::kVariants) return;
  auto remake = [&](ImageSet set, int index) {
    // Pictures without a full-size original (menu rows) keep what they have; the centre
    // is made apart, by RemakeCentreMagnified.
    if (Gdiplus::Bitmap* full = images.Get(set, index, 0)) images.Set(set, index, variant, *full, side, side);
  };
  remake(ImageSet::kSkin, skin::kBackSelectColor);
  for (int i = 1; i <= pool::kTemplateLast; ++i) remake(ImageSet::kItem, i);
}

}  // namespace vek::win
