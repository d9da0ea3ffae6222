#include "core/record_io.h"

#include "text/text.h"

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
  // Every byte equals its successor and the first is NUL: the library's vectorised
  // compare does the scan, which is most of the work of reading a menu file of free slots.
  return n == 0 || (p[0] == 0 && std::memcmp(p, p + 1, n - 1) == 0);
}

std::string ShortFileReason(size_t held, size_t needed) {
  return "the file holds only " + std::to_string(held) + " of its " + std::to_string(needed) + " bytes";
}

bool PutText(uint8_t* p, size_t width, std::string_view text, AnsiCodec& codec) {
  if (text.empty()) {
    std::memset(p, 0, width);
    return true;
  }
  bool exact = true;
  size_t n = 0;
  if (IsAscii(text.data(), text.size())) {
    n = text.size() < width ? text.size() : width;
    std::memcpy(p, text.data(), n);
  } else {
    std::string ansi;
    exact = codec.ToAnsi(text, ansi);
    n = ansi.size() <= width ? ansi.size() : codec.FitPrefix(ansi, width);
    if (n > width) n = width;
    std::memcpy(p, ansi.data(), n);
  }
  std::memset(p + n, ' ', width - n);
  return exact;
}

void GetTextInto(const uint8_t* p, size_t width, AnsiCodec& codec, std::string& out, StoredText* form) {
  StoredText ignored;
  StoredText& how = form ? *form : ignored;
  how = StoredText::kAsWritten;
  out.clear();
  if (AllNul(p, width)) return;
  const size_t end = WithoutTrailingSpaces(p, width);
  if (end == 0) {
    how = StoredText::kBlank;
    return;
  }
  const char* c = reinterpret_cast<const char*>(p);
  const std::string_view stored(c, end);
  const bool padded = c[0] == ' ' || std::memchr(c, 0, end) != nullptr;
  const bool ascii = IsAscii(c, end);
  // The common case: plain ASCII text, padded with spaces, is its own value.
  if (ascii && !padded) {
    out.assign(stored);
    return;
  }
  if (padded) {
    // Spaces before the text or a NUL inside the field: writing the text gives other bytes.
    how = StoredText::kOther;
    out = TrimFixed(ascii ? stored : std::string_view(codec.FromAnsi(stored)));
    return;
  }
  // Converted bytes with neither spaces around them nor a NUL have none either.
  out = codec.FromAnsi(stored);
  if (form && !codec.GivesBackEveryByte()) {
    // Other text comes back as stored only when the code page gives the same bytes again.
    // A menu file holds hundreds of such texts: the buffer is kept from one to the next.
    thread_local std::string ansi;
    if (!codec.ToAnsi(out, ansi) || ansi != stored) how = StoredText::kOther;
  }
}

std::string GetText(const uint8_t* p, size_t width, AnsiCodec& codec, StoredText* form) {
  std::string text;
  GetTextInto(p, width, codec, text, form);
  return text;
}

}  // namespace vek::record
