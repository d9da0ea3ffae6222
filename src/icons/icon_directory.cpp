#include "icons/icon_directory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vek {

namespace {

constexpr uint8_t kPngSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
constexpr int32_t kMaxIconSide = 1024;

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
int32_t SideOf(uint8_t stored) { return stored == 0 ? 256 : stored; }

// The first 12 bytes of an icon-group entry and of a .ico directory entry, which agree:
// width, height, colour count, a reserved byte, planes, bit count and byte size.
template <typename Entry>
Entry ReadEntryStart(const uint8_t* e) {
  Entry entry;
  entry.width = SideOf(e[0]);
  entry.height = SideOf(e[1]);
  entry.colourCount = e[2];
  entry.planes = Le16(e + 4);
  entry.bitCount = Le16(e + 6);
  entry.byteSize = Le32(e + 8);
  return entry;
}

}  // namespace

bool HasPngSignature(const uint8_t* data, size_t size) {
  if (size < sizeof(kPngSignature)) return false;
  for (size_t i = 0; i < sizeof(kPngSignature); ++i)
    if (data[i] != kPngSignature[i]) return false;
  return true;
}

namespace {

uint16_t Be16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }
uint32_t Be32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

// The frame size of a JPEG file: the first start-of-frame segment before the scan.
std::optional<PictureSize> JpegSize(const uint8_t* data, size_t size) {
  size_t at = 2;
  while (at + 4 <= size) {
    // Bytes between segments are skipped, as decoders skip them: a stray one must not hide
    // the frame size from this check while the decoder still finds the frame.
    if (data[at] != 0xFF) {
      ++at;
      continue;
    }
    const uint8_t marker = data[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker <= 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {  // no length follows
      at += 2;
      continue;
    }
    const uint16_t length = Be16(data + at + 2);
    if (length < 2 || marker == 0xDA || marker == 0xD9) return std::nullopt;
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (at + 9 > size) return std::nullopt;
      return PictureSize{Be16(data + at + 7), Be16(data + at + 5)};
    }
    at += 2 + size_t{length};
  }
  return std::nullopt;
}

// The size of a GIF file: its screen, grown to take in its first image, which a decoder
// may draw whole whatever the screen says.
std::optional<PictureSize> GifSize(const uint8_t* data, size_t size) {
  int64_t width = Le16(data + 6), height = Le16(data + 8);
  size_t at = 13;
  if (data[10] & 0x80) at += size_t{3} << ((data[10] & 7) + 1);  // the global colour table
  while (at < size) {
    if (data[at] == 0x2C) {  // an image: left, top, width, height
      if (size - at < 9) return std::nullopt;
      width = std::max<int64_t>(width, int64_t{Le16(data + at + 1)} + Le16(data + at + 5));
      height = std::max<int64_t>(height, int64_t{Le16(data + at + 3)} + Le16(data + at + 7));
      return PictureSize{width, height};
    }
    if (data[at] != 0x21 || size - at < 2) break;  // anything but an extension ends the walk
    at += 2;
    while (at < size && data[at] != 0) at += size_t{data[at]} + 1;  // its sub-blocks
    ++at;
  }
  return PictureSize{width, height};
}

// A number field (16 or 32 bits) of the first directory of TIFF data that begins with
// its byte-order mark; the last one given for the tag.
std::optional<int64_t> TiffNumber(const uint8_t* data, size_t size, uint16_t wanted) {
  if (size < 8) return std::nullopt;
  const bool little = data[0] == 'I';
  auto u16 = [&](size_t at) { return little ? Le16(data + at) : Be16(data + at); };
  auto u32 = [&](size_t at) { return little ? Le32(data + at) : Be32(data + at); };
  const size_t directory = u32(4);
  if (directory > size || size - directory < 2) return std::nullopt;
  const size_t count = u16(directory);
  if (count > (size - directory - 2) / 12) return std::nullopt;
  std::optional<int64_t> value;
  for (size_t i = 0; i < count; ++i) {
    const size_t at = directory + 2 + i * 12;
    const uint16_t tag = u16(at), type = u16(at + 2);
    if (tag == wanted && (type == 3 || type == 4)) value = type == 3 ? u16(at + 8) : u32(at + 8);
  }
  return value;
}

// The size of a TIFF file's first image: the width and length fields of its first
// directory.
std::optional<PictureSize> TiffSize(const uint8_t* data, size_t size) {
  const std::optional<int64_t> width = TiffNumber(data, size, 256), height = TiffNumber(data, size, 257);
  if (!width || !height) return std::nullopt;
  return PictureSize{*width, *height};
}

}  // namespace

std::optional<PictureSize> StatedPictureSize(const uint8_t* data, size_t size) {
  if (HasPngSignature(data, size)) {
    if (size < 24 || std::memcmp(data + 12, "IHDR", 4) != 0) return std::nullopt;
    return PictureSize{Be32(data + 16), Be32(data + 20)};
  }
  if (size >= 13 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0))
    return GifSize(data, size);
  if (size >= 22 && data[0] == 'B' && data[1] == 'M') {
    if (Le32(data + 14) == 12) return PictureSize{Le16(data + 18), Le16(data + 20)};
    if (size < 26) return std::nullopt;
    // A negative height means stored top-down; a negative width means nothing, and its
    // size counts as well, so that a hostile one is refused like any vast picture.
    const int64_t width = static_cast<int32_t>(Le32(data + 18));
    const int64_t height = static_cast<int32_t>(Le32(data + 22));
    return PictureSize{width < 0 ? -width : width, height < 0 ? -height : height};
  }
  if (size >= 4 && data[0] == 0xFF && data[1] == 0xD8) return JpegSize(data, size);
  if (size >= 8 && (std::memcmp(data, "II*\0", 4) == 0 || std::memcmp(data, "MM\0*", 4) == 0))
    return TiffSize(data, size);
  return std::nullopt;
}

int StatedJpegOrientation(const uint8_t* data, size_t size) {
  if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) return 1;
  // The Exif block is an APP1 segment among those before the frame.
  size_t at = 2;
  while (at + 4 <= size && data[at] == 0xFF) {
    const uint8_t marker = data[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9 || (marker >= 0xC0 && marker <= 0xCF)) break;
    const size_t length = Be16(data + at + 2);
    if (length < 2 || length > size - at - 2) break;
    if (marker == 0xE1 && length >= 8 + 8 && std::memcmp(data + at + 4, "Exif\0\0", 6) == 0) {
      const uint8_t* tiff = data + at + 10;
      const size_t tiffSize = length - 8;
      if (std::memcmp(tiff, "II*\0", 4) != 0 && std::memcmp(tiff, "MM\0*", 4) != 0) return 1;
      const std::optional<int64_t> orientation = TiffNumber(tiff, tiffSize, 0x0112);
      return orientation && *orientation >= 1 && *orientation <= 8 ? static_cast<int>(*orientation) : 1;
    }
    at += 2 + length;
  }
  return 1;
}

PixelPlace UprightPlace(int orientation, int x, int y, int width, int height) {
  const int right = width - 1 - x, bottom = height - 1 - y;
  switch (orientation) {
    case 2: return {right, y};        // mirrored
    case 3: return {right, bottom};   // upside down
    case 4: return {x, bottom};       // mirrored upside down
    case 5: return {y, x};            // mirrored, turned a quarter
    case 6: return {bottom, x};       // turned a quarter anticlockwise: turn it clockwise
    case 7: return {bottom, right};   // mirrored, turned three quarters
    case 8: return {y, right};        // turned a quarter clockwise: turn it back
    default: return {x, y};
  }
}

std::vector<IconGroupEntry> ParseIconGroup(const Bytes& data) {
  std::vector<IconGroupEntry> entries;
  if (data.size() <= 19) return entries;
  const size_t count = (data.size() - 6) / 14;
  entries.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* e = data.data() + 6 + i * 14;
    IconGroupEntry entry = ReadEntryStart<IconGroupEntry>(e);
    entry.id = Le16(e + 12);
    entries.push_back(entry);
  }
  return entries;
}

std::optional<IconGroupEntry> ChooseBestGroupEntry(const std::vector<IconGroupEntry>& entries) {
  int32_t bestWidth = 1, bestBits = 0;
  std::optional<IconGroupEntry> best;
  for (const IconGroupEntry& e : entries) {
    if (e.bitCount < 1 || e.bitCount > 32) continue;
    const bool better = (e.width == 256 && bestWidth != 256) ||
                        (e.width < 256 && bestWidth < 256 && e.width > bestWidth) ||
                        (e.width == bestWidth && e.bitCount > bestBits);
    if (!better) continue;
    best = e;
    bestWidth = e.width;
    bestBits = e.bitCount;
  }
  return best;
}

std::optional<std::string> ChooseIconGroupName(const std::vector<std::string>& names,
                                               int64_t iconIndex) {
  if (iconIndex < 0) return std::to_string(uint64_t{0} - static_cast<uint64_t>(iconIndex));
  if (names.empty()) return std::nullopt;
  if (static_cast<uint64_t>(iconIndex) >= names.size()) return names.back();
  return names[static_cast<size_t>(iconIndex)];
}

std::optional<IconDibInfo> CheckIconDib(const uint8_t* data, size_t size) {
  if (size < 40) return std::nullopt;
  const uint32_t headerSize = Le32(data);
  if (headerSize != 40 && headerSize != 108 && headerSize != 124) return std::nullopt;
  if (size < headerSize) return std::nullopt;
  const int32_t width = static_cast<int32_t>(Le32(data + 4));
  const int32_t storedHeight = static_cast<int32_t>(Le32(data + 8));
  const uint16_t planes = Le16(data + 12);
  const uint16_t bits = Le16(data + 14);
  const uint32_t compression = Le32(data + 16);
  const uint32_t coloursUsed = Le32(data + 32);
  if (width < 1 || width > kMaxIconSide) return std::nullopt;
  if (storedHeight < 2 || storedHeight > 2 * kMaxIconSide) return std::nullopt;
  if (planes != 1) return std::nullopt;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    return std::nullopt;
  uint64_t masks = 0;
  if (compression == 3) {  // BI_BITFIELDS: three colour masks follow a short header
    if (bits != 16 && bits != 32) return std::nullopt;
    if (headerSize == 40) masks = 12;
  } else if (compression != 0) {
    return std::nullopt;
  }
  uint64_t palette = 0;
  if (bits <= 8) {
    const uint64_t most = uint64_t{1} << bits;
    if (coloursUsed > most) return std::nullopt;
    palette = (coloursUsed == 0 ? most : coloursUsed) * 4;
  } else if (coloursUsed > 256) {
    return std::nullopt;
  } else {
    palette = uint64_t{coloursUsed} * 4;
  }
  const int32_t height = storedHeight / 2;
  const uint64_t colourStride = ((uint64_t(width) * bits + 31) / 32) * 4;
  const uint64_t maskStride = ((uint64_t(width) + 31) / 32) * 4;
  const uint64_t needed = headerSize + masks + palette + colourStride * height + maskStride * height;
  if (needed > size) return std::nullopt;
  return IconDibInfo{width, height, bits};
}

std::vector<IcoEntry> ParseIcoDirectory(const Bytes& file) {
  std::vector<IcoEntry> entries;
  if (file.size() < 6) return entries;
  const size_t stated = Le16(file.data() + 4);
  const size_t fits = (file.size() - 6) / 16;
  const size_t count = stated < fits ? stated : fits;
  entries.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* e = file.data() + 6 + i * 16;
    IcoEntry entry = ReadEntryStart<IcoEntry>(e);
    entry.offset = Le32(e + 12);
    entries.push_back(entry);
  }
  return entries;
}

namespace {

// What the bytes at [offset, offset + size) hold, or nothing when they are not a usable
// image. `width`/`height` are the size to render a bitmap at (0 = the header's own).
std::optional<IcoImage> ImageAt(const Bytes& file, size_t offset, size_t size, int32_t width,
                                int32_t height) {
  if (offset > file.size() || size > file.size() - offset || size == 0) return std::nullopt;
  const uint8_t* p = file.data() + offset;
  IcoImage image;
  image.offset = offset;
  image.size = size;
  if (HasPngSignature(p, size)) {
    image.format = IcoImage::Format::kPng;
    image.bitCount = 32;
    image.width = width;
    image.height = height;
    return image;
  }
  const std::optional<IconDibInfo> dib = CheckIconDib(p, size);
  if (!dib) return std::nullopt;
  image.format = IcoImage::Format::kDib;
  image.bitCount = dib->bitCount;
  image.width = width > 0 ? width : dib->width;
  image.height = height > 0 ? height : dib->height;
  return image;
}

}  // namespace

std::optional<IcoImage> ChooseIcoImage(const Bytes& file) {
  const std::vector<IcoEntry> entries = ParseIcoDirectory(file);
  std::optional<IcoImage> best;
  int32_t bestBits = -1, bestWidth = -1;
  for (const IcoEntry& e : entries) {
    std::optional<IcoImage> image = ImageAt(file, e.offset, e.byteSize, e.width, e.height);
    if (!image) continue;
    const int32_t bits = e.bitCount != 0 ? e.bitCount : image->bitCount;
    image->bitCount = bits;
    if (e.width == 256 && bits == 32) return image;
    if (bits > bestBits || (bits == bestBits && e.width >= bestWidth)) {
      best = image;
      bestBits = bits;
      bestWidth = e.width;
    }
  }
  if (best) return best;
  // A short or broken directory: look at what follows it.
  if (file.size() < 6) return std::nullopt;
  const size_t after = 6 + size_t{Le16(file.data() + 4)} * 16;
  if (after >= file.size()) return std::nullopt;
  return ImageAt(file, after, file.size() - after, 0, 0);
}

IconImageKind PrepareIconPicture(FileSystem& fs, const Bytes& image, const std::string& dest) {
  if (fs.Attributes(dest) != attr::kInvalid) fs.Delete(dest);
  if (HasPngSignature(image)) {
    // No icon image is larger than kMaxIconSide: PNG data that claims more is no icon.
    const std::optional<PictureSize> stated = StatedPictureSize(image);
    if (stated && (stated->width > kMaxIconSide || stated->height > kMaxIconSide)) return IconImageKind::kUnusable;
    return fs.WriteAll(dest, image) ? IconImageKind::kPng : IconImageKind::kUnusable;
  }
  if (CheckIconDib(image.data(), image.size())) return IconImageKind::kDib;
  return IconImageKind::kUnusable;
}

}  // namespace vek
