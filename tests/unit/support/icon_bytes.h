// Builders of icon containers for tests: icon-group resources, .ico files and the
// bitmap images inside them.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/file_system.h"

namespace vek::test {

inline void PutLe16(Bytes& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void PutLe32(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

struct GroupEntrySpec {
  int side;  // 256 is stored as 0
  int bits;
  uint16_t id;
};

inline Bytes IconGroup(const std::vector<GroupEntrySpec>& entries) {
  Bytes b;
  PutLe16(b, 0);
  PutLe16(b, 1);
  PutLe16(b, static_cast<uint32_t>(entries.size()));
  for (const GroupEntrySpec& e : entries) {
    const uint8_t side = static_cast<uint8_t>(e.side == 256 ? 0 : e.side);
    b.push_back(side);
    b.push_back(side);
    b.push_back(0);
    b.push_back(0);
    PutLe16(b, 1);
    PutLe16(b, static_cast<uint32_t>(e.bits));
    PutLe32(b, 1000);
    PutLe16(b, e.id);
  }
  return b;
}

// A complete bitmap icon image: header, colour table for ≤ 8 bits, colour bits, mask.
inline Bytes DibImage(int side, int bits) {
  Bytes b;
  PutLe32(b, 40);
  PutLe32(b, static_cast<uint32_t>(side));
  PutLe32(b, static_cast<uint32_t>(side * 2));
  PutLe16(b, 1);
  PutLe16(b, static_cast<uint32_t>(bits));
  for (int i = 0; i < 6; ++i) PutLe32(b, 0);
  const size_t palette = bits <= 8 ? (size_t{1} << bits) * 4 : 0;
  const size_t stride = ((size_t(side) * bits + 31) / 32) * 4;
  const size_t mask = ((size_t(side) + 31) / 32) * 4;
  b.resize(b.size() + palette + stride * side + mask * side, 0x5A);
  return b;
}

inline Bytes PngBytes(size_t extra = 24) {
  Bytes b{137, 80, 78, 71, 13, 10, 26, 10};
  for (size_t i = 0; i < extra; ++i) b.push_back(static_cast<uint8_t>(i * 7));
  return b;
}

struct IcoImageSpec {
  int side;  // as stored in the entry (256 → 0)
  int bits;  // as stored in the entry
  Bytes data;
};

// A .ico file with the images placed after the directory, in order.
inline Bytes IcoFile(const std::vector<IcoImageSpec>& images) {
  Bytes b;
  PutLe16(b, 0);
  PutLe16(b, 1);
  PutLe16(b, static_cast<uint32_t>(images.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (const IcoImageSpec& i : images) {
    const uint8_t side = static_cast<uint8_t>(i.side == 256 ? 0 : i.side);
    b.push_back(side);
    b.push_back(side);
    b.push_back(0);
    b.push_back(0);
    PutLe16(b, 1);
    PutLe16(b, static_cast<uint32_t>(i.bits));
    PutLe32(b, static_cast<uint32_t>(i.data.size()));
    PutLe32(b, offset);
    offset += static_cast<uint32_t>(i.data.size());
  }
  for (const IcoImageSpec& i : images) b.insert(b.end(), i.data.begin(), i.data.end());
  return b;
}

}  // namespace vek::test
