// The edit script of the fuzzers whose files are too large to find by chance: an input
// edits a valid image built by the fuzzer instead of being the file.
//
//   byte 0        flags: bit 0 = the rest of the input is the whole file instead;
//                 bit 1 = truncate the edited image to the length in bytes 1..4
//   bytes 1..4    truncation length (little-endian, taken modulo the image size + 16)
//   then patches  [region][offset: 3 bytes][n (low 5 bits)][n bytes]; the fuzzer's
//                 `place(region, offset)` says where in the image a patch starts
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/record_io.h"
#include "platform/file_system.h"

namespace vek::test {

template <typename Place>
Bytes ApplyEditScript(Bytes image, const uint8_t* data, size_t size, Place place) {
  size_t pos = 5;
  while (pos + 5 <= size) {
    const uint8_t region = data[pos];
    const size_t raw = data[pos + 1] | data[pos + 2] << 8 | data[pos + 3] << 16;
    const size_t n = data[pos + 4] & 0x1F;
    pos += 5;
    size_t at = place(region, raw);
    for (size_t k = 0; k < n && pos < size && at < image.size(); ++k) image[at++] = data[pos++];
  }
  if (size >= 5 && (data[0] & 2)) {
    const size_t length = record::GetI32(data + 1) & 0x7FFFFFFF;
    image.resize(length % (image.size() + 16), 0);
  }
  return image;
}

// The image the input stands for: itself (flag bit 0) or the edited template.
template <typename Place>
Bytes ImageFromInput(const Bytes& image, const uint8_t* data, size_t size, Place place) {
  if (data[0] & 1) return Bytes(data + 1, data + size);
  return ApplyEditScript(image, data, size, place);
}

}  // namespace vek::test
