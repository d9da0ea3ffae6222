#include "core/record_io.h"

namespace vek::record {

namespace {
// Every Windows ANSI code page keeps the ASCII range as it is, so plain ASCII text (the
// common case: paths and captions) is copied without asking the code page.
bool IsAscii(const char* p, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (static_cast<unsigned char>(p[i]) >= 0x80) return false;
  return true;
}
}  // namespace

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
  size_t end = width;
  bool allNul = true;
  for (size_t i = 0; i < width; ++i) {
    if (p[i] != 0) {
      allNul = false;
      break;
    }
  }
  if (allNul) return FixedText();
  while (end > 0 && p[end - 1] == ' ') --end;
  const char* c = reinterpret_cast<const char*>(p);
  if (IsAscii(c, end)) return FixedText(std::string(c, end));
  return FixedText(codec.FromAnsi(std::string_view(c, end)));
}

}  // namespace vek::record
