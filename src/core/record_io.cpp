#include "core/record_io.h"

namespace vek::record {

namespace {
// The loops below look at eight bytes at a time: a menu file holds over six thousand
// text fields, most of them padding.
constexpr uint64_t kHighBits = 0x8080808080808080ull;
constexpr uint64_t kSpaces = 0x2020202020202020ull;

uint64_t Load8(const void* p) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}

// Every Windows ANSI code page keeps the ASCII range as it is, so plain ASCII text (the
// common case: paths and captions) is copied without asking the code page.
bool IsAscii(const char* p, size_t n) {
  size_t i = 0;
  for (; i + 8 <= n; i += 8)
    if (Load8(p + i) & kHighBits) return false;
  for (; i < n; ++i)
    if (static_cast<unsigned char>(p[i]) >= 0x80) return false;
  return true;
}

// The length without the trailing spaces.
size_t WithoutTrailingSpaces(const uint8_t* p, size_t n) {
  while (n >= 8 && Load8(p + n - 8) == kSpaces) n -= 8;
  while (n > 0 && p[n - 1] == ' ') --n;
  return n;
}
}  // namespace

bool AllNul(const uint8_t* p, size_t n) {
  uint64_t any = 0;
  size_t i = 0;
  for (; i + 64 <= n; i += 64) {
    any = Load8(p + i) | Load8(p + i + 8) | Load8(p + i + 16) | Load8(p + i + 24) |
          Load8(p + i + 32) | Load8(p + i + 40) | Load8(p + i + 48) | Load8(p + i + 56);
    if (any != 0) return false;
  }
  for (; i + 8 <= n; i += 8) any |= Load8(p + i);
  for (; i < n; ++i) any |= p[i];
  return any == 0;
}


bool PutText(uint8_t* p, size_t width, const FixedText& text, AnsiCodec& codec) {
  if (!text.assigned()) {
    std::memset(p, 0, width);
    return true;
  }
  const std::string& value = text.str();
  bool exact = true;
  size_t n = 0;
  if (IsAscii(value.data(), value.size())) {
    n = value.size() < width ? value.size() : width;
    std::memcpy(p, value.data(), n);
  } else {
    std::string ansi;
    exact = codec.ToAnsi(value, ansi);
    n = ansi.size() <= width ? ansi.size() : codec.FitPrefix(ansi, width);
    if (n > width) n = width;
    std::memcpy(p, ansi.data(), n);
  }
  std::memset(p + n, ' ', width - n);
  return exact;
}

FixedText GetText(const uint8_t* p, size_t width, AnsiCodec& codec) {
  if (AllNul(p, width)) return FixedText();
  const size_t end = WithoutTrailingSpaces(p, width);
  const char* c = reinterpret_cast<const char*>(p);
  if (IsAscii(c, end)) return FixedText(std::string(c, end));
  return FixedText(codec.FromAnsi(std::string_view(c, end)));
}

}  // namespace vek::record
