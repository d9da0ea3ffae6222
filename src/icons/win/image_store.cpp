#include "icons/win/image_store.h"

#include <algorithm>

namespace vek::win {

BitmapPtr ScaleImage(Gdiplus::Image& picture, int width, int height, Gdiplus::PixelFormat format) {
  if (width <= 0 || height <= 0) return nullptr;
  // At its own size a bitmap is copied as it is (converted to `format`): resampling it
  // would change nothing but cost as much as a real scaling.
  if (auto* bitmap = dynamic_cast<Gdiplus::Bitmap*>(&picture);
      bitmap && static_cast<int>(picture.GetWidth()) == width && static_cast<int>(picture.GetHeight()) == height) {
    BitmapPtr copy(bitmap->Clone(0, 0, width, height, format));
    if (copy && copy->GetLastStatus() == Gdiplus::Ok) return copy;
  }
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, format);
  if (bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
  {
    Gdiplus::Graphics g(bitmap.get());
    if (g.GetLastStatus() != Gdiplus::Ok) return nullptr;
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    // Mirrored edges keep the border pixels opaque where the picture is: without them
    // the bicubic filter fades every edge towards transparent.
    Gdiplus::ImageAttributes edges;
    edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    if (g.DrawImage(&picture, Gdiplus::Rect(0, 0, width, height), 0, 0,
                    static_cast<INT>(picture.GetWidth()), static_cast<INT>(picture.GetHeight()),
                    Gdiplus::UnitPixel, &edges) != Gdiplus::Ok)
      return nullptr;
  }
  return bitmap;
}

ImageStore::ImageStore()
    : items_(kItemImages), skins_(kSkinImages), itemsChanged_(kItemImages), skinsChanged_(kSkinImages) {}

ImageStore::~ImageStore() = default;

std::vector<ImageStore::Cells>* ImageStore::Table(ImageSet set) {
  return set == ImageSet::kItem ? &items_ : &skins_;
}
const std::vector<ImageStore::Cells>* ImageStore::Table(ImageSet set) const {
  return set == ImageSet::kItem ? &items_ : &skins_;
}

void ImageStore::Touch(ImageSet set, int index) {
  (set == ImageSet::kItem ? itemsChanged_ : skinsChanged_)[static_cast<size_t>(index)] = ++generation_;
}

uint64_t ImageStore::changed(ImageSet set, int index) const {
  const std::vector<uint64_t>& stamps = set == ImageSet::kItem ? itemsChanged_ : skinsChanged_;
  return index >= 0 && index < static_cast<int>(stamps.size()) ? stamps[static_cast<size_t>(index)] : 0;
}

bool ImageStore::Set(ImageSet set, int index, int variant, Gdiplus::Image& picture, int width,
                     int height) {
  std::vector<Cells>& table = *Table(set);
  if (index < 0 || index >= static_cast<int>(table.size()) || variant < 0 || variant >= kVariants)
    return false;
  BitmapPtr& cell = table[index][variant];
  cell.reset();
  Touch(set, index);
  if (variant == 0 && (width <= 0 || height <= 0)) {
    width = static_cast<int>(picture.GetWidth());
    height = static_cast<int>(picture.GetHeight());
  }
  cell = ScaleImage(picture, width, height,
                    variant == 0 ? PixelFormat32bppARGB : PixelFormat32bppPARGB);
  return cell != nullptr;
}

Gdiplus::Bitmap* ImageStore::Get(ImageSet set, int index, int variant) const {
  const std::vector<Cells>& table = *Table(set);
  if (index < 0 || index >= static_cast<int>(table.size()) || variant < 0 || variant >= kVariants)
    return nullptr;
  return table[index][variant].get();
}

void ImageStore::Release(ImageSet set, int index) {
  std::vector<Cells>& table = *Table(set);
  if (index < 0 || index >= static_cast<int>(table.size())) return;
  for (BitmapPtr& cell : table[index]) cell.reset();
  Touch(set, index);
}

void ImageStore::Swap(ImageSet set, int a, int b) {
  std::vector<Cells>& table = *Table(set);
  const int n = static_cast<int>(table.size());
  if (a < 0 || b < 0 || a >= n || b >= n || a == b) return;
  std::swap(table[a], table[b]);
  Touch(set, a);
  Touch(set, b);
}

void ImageStore::ReleaseImages() {
  for (Cells& cells : items_)
    for (BitmapPtr& cell : cells) cell.reset();
  for (Cells& cells : skins_)
    for (BitmapPtr& cell : cells) cell.reset();
  ++generation_;
  std::fill(itemsChanged_.begin(), itemsChanged_.end(), generation_);
  std::fill(skinsChanged_.begin(), skinsChanged_.end(), generation_);
}

size_t ImageStore::count() const {
  size_t n = 0;
  for (const std::vector<Cells>* table : {&items_, &skins_})
    for (const Cells& cells : *table)
      for (const BitmapPtr& cell : cells) n += cell != nullptr;
  return n;
}

}  // namespace vek::win
