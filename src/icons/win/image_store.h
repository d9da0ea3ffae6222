// The pictures the dock and the group menus draw: for every item image (0..1024) and skin
// image (0..32), variant 0 is a full-size picture drawn scaled into any rectangle, and
// variants 1..4 are copies pre-scaled to the sizes in use, drawn unscaled. The cached
// variants are kept premultiplied, the format the dock's frame is drawn in, so drawing
// them is a plain blend.
#pragma once

#include <windows.h>
#include <objidl.h>  // before GDI+, which needs it and the lean Windows headers omit it
#include <gdiplus.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/pool_ops.h"
#include "icons/skin_images.h"

namespace vek::win {

using BitmapPtr = std::unique_ptr<Gdiplus::Bitmap>;

// `picture` stretched into a new width × height bitmap of the given format with
// high-quality bicubic interpolation; null when GDI+ fails or a side is not positive.
BitmapPtr ScaleImage(Gdiplus::Image& picture, int width, int height,
                     Gdiplus::PixelFormat format = PixelFormat32bppARGB);

class ImageStore : public ItemImageCache {
 public:
  static constexpr int kItemImages = 1025;
  static constexpr int kSkinImages = 33;
  static constexpr int kVariants = 5;

  ImageStore();
  ~ImageStore() override;
  ImageStore(const ImageStore&) = delete;
  ImageStore& operator=(const ImageStore&) = delete;

  // Fills one cell from a picture: variant 0 keeps a full-size copy (width × height, or
  // the picture's own size when either is 0), variants 1..4 a premultiplied copy scaled to
  // width × height. The previous content of the cell is released. False (and the cell
  // left empty) when the index or variant is out of range or GDI+ fails.
  bool Set(ImageSet set, int index, int variant, Gdiplus::Image& picture, int width = 0,
           int height = 0);
  // The picture of a cell, or null when it holds none (a missing image draws nothing).
  Gdiplus::Bitmap* Get(ImageSet set, int index, int variant) const;
  // Releases the five cells of an index.
  void Release(ImageSet set, int index);
  void ReleaseItemImages(int index) override { Release(ImageSet::kItem, index); }
  // The five cells of two indexes trade places; no picture is made or released.
  void Swap(ImageSet set, int a, int b);
  // Releases every cell of both tables.
  void ReleaseImages();

  // Grows whenever a cell is filled or released, or two indexes swap.
  uint64_t generation() const { return generation_; }
  // The generation at which a cell of the index last changed (0: never, or out of
  // range): a drawing made at generation g from this index is stale once this exceeds g.
  uint64_t changed(ImageSet set, int index) const;
  // Number of cells that hold a picture.
  size_t count() const;

 private:
  using Cells = std::array<BitmapPtr, kVariants>;
  std::vector<Cells>* Table(ImageSet set);
  const std::vector<Cells>* Table(ImageSet set) const;

  // Marks the index as changed now.
  void Touch(ImageSet set, int index);

  std::vector<Cells> items_;
  std::vector<Cells> skins_;
  std::vector<uint64_t> itemsChanged_;
  std::vector<uint64_t> skinsChanged_;
  uint64_t generation_ = 1;
};

}  // namespace vek::win
