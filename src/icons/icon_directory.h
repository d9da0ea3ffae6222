// Reading icon containers from bytes: the icon-group resources of programs and
// libraries, the directory of .ico files, and the bitmap header of one icon image. Every
// reader checks its bounds, because the bytes come from whatever file the user dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace vek {

// 137 80 78 71 13 10 26 10: the first eight bytes of every PNG file.
bool HasPngSignature(const uint8_t* data, size_t size);
inline bool HasPngSignature(const Bytes& bytes) { return HasPngSignature(bytes.data(), bytes.size()); }

// The pixel size a picture file states in its header, read before anything decodes it:
// PNG, GIF, BMP, JPEG and TIFF. Nothing for other formats and for a header cut short.
struct PictureSize {
  int64_t width = 0;
  int64_t height = 0;
};
std::optional<PictureSize> StatedPictureSize(const uint8_t* data, size_t size);
inline std::optional<PictureSize> StatedPictureSize(const Bytes& bytes) {
  return StatedPictureSize(bytes.data(), bytes.size());
}

// How a JPEG's Exif data says its stored pixels are to be turned to stand upright: the
// TIFF orientation value, 1 (as stored) to 8. Cameras store a picture as the sensor saw
// it and give this instead of turning the pixels. 1 when the file says nothing sound.
int StatedJpegOrientation(const uint8_t* data, size_t size);

// Where pixel (x, y) of a width × height picture stored with `orientation` stands in the
// upright picture, which is height × width for orientations 5 to 8.
struct PixelPlace {
  int x = 0;
  int y = 0;
};
PixelPlace UprightPlace(int orientation, int x, int y, int width, int height);

// One entry of an icon-group resource (14 bytes after a 6-byte header). Width and height
// are in pixels, a stored 0 meaning 256.
struct IconGroupEntry {
  int32_t width = 0;
  int32_t height = 0;
  int32_t colourCount = 0;
  int32_t planes = 0;
  int32_t bitCount = 0;
  uint32_t byteSize = 0;
  uint16_t id = 0;  // the RT_ICON resource holding the image
};

// The entries of an icon-group resource: none when it holds 19 bytes or fewer, else
// (size − 6) / 14 of them, whatever the header's count says.
std::vector<IconGroupEntry> ParseIconGroup(const Bytes& data);

// The best entry for a picture: a 256-pixel entry beats any smaller one, a wider one a
// narrower one, and at equal width a deeper colour depth wins; earlier entries win ties.
// Entries whose bit count is outside 1..32 are passed over; none left gives nothing.
std::optional<IconGroupEntry> ChooseBestGroupEntry(const std::vector<IconGroupEntry>& entries);

// Which icon group to read: a negative index −n names the group with identifier n
// (returned as "n"); otherwise the group at that 0-based position among `names` (the
// names in enumeration order, numeric identifiers as decimal text), the last one when
// the index is beyond them; nothing when there are no groups.
std::optional<std::string> ChooseIconGroupName(const std::vector<std::string>& names,
                                               int64_t iconIndex);

// What a bitmap-format icon image says about itself, once its bytes were found to be
// complete: its pixel size (half the stored height, which covers colour and mask) and
// colour depth.
struct IconDibInfo {
  int32_t width = 0;
  int32_t height = 0;
  int32_t bitCount = 0;
};

// Checks that `data` is a whole icon image in bitmap form: a known header, a plausible
// size (1..1024 pixels each way), a standard colour depth and enough bytes for the
// header, the colour table, the colour bits and the mask. Nothing when it is not.
std::optional<IconDibInfo> CheckIconDib(const uint8_t* data, size_t size);

// One directory entry of a .ico file (16 bytes after a 6-byte header).
struct IcoEntry {
  int32_t width = 0;   // 0 stored = 256
  int32_t height = 0;
  int32_t colourCount = 0;
  int32_t planes = 0;
  int32_t bitCount = 0;
  uint32_t byteSize = 0;
  uint32_t offset = 0;
};

// The directory entries whose 16 bytes lie inside the file (at most the header's count).
std::vector<IcoEntry> ParseIcoDirectory(const Bytes& file);

// The one image of a .ico file to convert and where its bytes are.
struct IcoImage {
  enum class Format : uint8_t { kPng, kDib };
  Format format = Format::kDib;
  size_t offset = 0;
  size_t size = 0;
  int32_t width = 0;   // the size to render a bitmap image at
  int32_t height = 0;
  int32_t bitCount = 0;
};

// Chooses the image of a .ico file: among the entries whose bytes lie inside the file and
// hold a PNG or a complete bitmap image, a 256-pixel 32-bit image is taken at once;
// otherwise the deepest colour depth wins, then the widest, later entries winning ties
// (an entry that states no depth counts with its image's own). When no entry qualifies,
// an image that directly follows the directory is used (a PNG copied whole, or a bitmap
// at the size its header gives). Nothing when the file holds no usable image.
std::optional<IcoImage> ChooseIcoImage(const Bytes& file);

// What became of one icon image on its way to a picture file.
enum class IconImageKind : uint8_t {
  kPng,       // PNG data, written to the file unchanged
  kDib,       // a complete bitmap image: the caller renders it into the file
  kUnusable,  // neither (or the PNG could not be written)
};

// The first steps of writing an icon image as an item's picture: an existing file at
// `dest` is deleted, and PNG data is copied into it byte for byte.
IconImageKind PrepareIconPicture(FileSystem& fs, const Bytes& image, const std::string& dest);

}  // namespace vek
