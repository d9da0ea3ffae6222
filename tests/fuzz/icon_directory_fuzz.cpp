// Feeds arbitrary bytes to the icon-container readers as an icon-group resource, a .ico
// file, a bitmap icon image and a picture file's header, and checks that whatever they
// choose lies inside the bytes they were given.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "icons/icon_directory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const vek::Bytes bytes(data, data + size);

  const auto entries = vek::ParseIconGroup(bytes);
  if (size > 19 && entries.size() != (size - 6) / 14) std::abort();
  if (const auto best = vek::ChooseBestGroupEntry(entries)) {
    if (best->bitCount < 1 || best->bitCount > 32) std::abort();
    if (best->width < 1 || best->width > 256) std::abort();
  }

  if (const auto image = vek::ChooseIcoImage(bytes)) {
    if (image->offset > size || image->size > size - image->offset || image->size == 0) std::abort();
    if (image->format == vek::IcoImage::Format::kDib &&
        !vek::CheckIconDib(data + image->offset, image->size))
      std::abort();
    if (image->format == vek::IcoImage::Format::kPng &&
        !vek::HasPngSignature(data + image->offset, image->size))
      std::abort();
  }

  if (const auto dib = vek::CheckIconDib(data, size)) {
    if (dib->width < 1 || dib->width > 1024 || dib->height < 1 || dib->height > 1024) std::abort();
  }
  const int orientation = vek::StatedJpegOrientation(data, size);
  if (orientation < 1 || orientation > 8) std::abort();
  if (const auto stated = vek::StatedPictureSize(bytes)) {
    if (stated->width < 0 || stated->height < 0) std::abort();
  }
  return 0;
}
