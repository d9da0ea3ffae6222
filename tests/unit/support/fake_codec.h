// ANSI code pages for the native tests, header-only so that the fuzzers and benchmarks
// can use them without the rest of the test support.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/text.h"
#include "platform/ansi_codec.h"

namespace vek::test {

namespace codec_detail {

// Decodes one UTF-8 sequence at text[i]; returns the code point (0xFFFFFFFF for a
// malformed sequence) and advances i.
inline uint32_t NextCodePoint(std::string_view text, size_t& i) {
  const uint8_t b = static_cast<uint8_t>(text[i]);
  size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
  if (len == 0 || i + len > text.size()) {
    ++i;
    return 0xFFFFFFFFu;
  }
  uint32_t cp = len == 1 ? b : b & (0xFF >> (len + 1));
  for (size_t k = 1; k < len; ++k) {
    const uint8_t c = static_cast<uint8_t>(text[i + k]);
    if ((c >> 6) != 0x2) {
      ++i;
      return 0xFFFFFFFFu;
    }
    cp = (cp << 6) | (c & 0x3F);
  }
  i += len;
  return cp;
}


// Windows-1252 bytes 0x80..0x9F; the five unassigned bytes map to the C1 control
// characters of the same number, as Windows maps them.
constexpr uint16_t kHigh1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace codec_detail

// Windows-1252, the ANSI code page of western Windows installations.
class FakeAnsiCodec : public AnsiCodec {
 public:
  bool ToAnsi(std::string_view utf8, std::string& ansi) override {
    ansi.clear();
    bool exact = true;
    for (size_t i = 0; i < utf8.size();) {
      const uint32_t cp = codec_detail::NextCodePoint(utf8, i);
      int byte = -1;
      if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) byte = static_cast<int>(cp);
      for (int k = 0; byte < 0 && k < 32; ++k)
        if (codec_detail::kHigh1252[k] == cp) byte = 0x80 + k;
      if (byte < 0) {
        exact = false;
        byte = '?';
      }
      ansi += static_cast<char>(byte);
    }
    return exact;
  }
  std::string FromAnsi(std::string_view ansi) override {
    // The UTF-8 form of every byte, made once.
    static const auto table = [] {
      std::array<std::string, 256> t;
      for (int b = 0; b < 256; ++b)
        AppendUtf8(t[b], b >= 0x80 && b < 0xA0 ? codec_detail::kHigh1252[b - 0x80] : b);
      return t;
    }();
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 4);
    for (char c : ansi) {
      if (static_cast<uint8_t>(c) < 0x80) {
        out.push_back(c);
      } else {
        out += table[static_cast<uint8_t>(c)];
      }
    }
    return out;
  }
  size_t FitPrefix(std::string_view ansi, size_t maxBytes) override {
    return ansi.size() < maxBytes ? ansi.size() : maxBytes;
  }
};

// A small double-byte code page for tests of character boundaries: ASCII as it is, and
// the characters U+4E00..U+4EFF as the lead byte 0x88 followed by the low byte.
class FakeDoubleByteCodec : public AnsiCodec {
 public:
  bool ToAnsi(std::string_view utf8, std::string& ansi) override {
    ansi.clear();
    bool exact = true;
    for (size_t i = 0; i < utf8.size();) {
      const uint32_t cp = codec_detail::NextCodePoint(utf8, i);
      if (cp < 0x80) {
        ansi += static_cast<char>(cp);
      } else if (cp >= 0x4E00 && cp <= 0x4EFF) {
        ansi += static_cast<char>(0x88);
        ansi += static_cast<char>(cp & 0xFF);
      } else {
        ansi += '?';
        exact = false;
      }
    }
    return exact;
  }
  std::string FromAnsi(std::string_view ansi) override {
    std::string out;
    for (size_t i = 0; i < ansi.size(); ++i) {
      const uint8_t b = static_cast<uint8_t>(ansi[i]);
      if (b == 0x88 && i + 1 < ansi.size()) {
        AppendUtf8(out, 0x4E00 + static_cast<uint8_t>(ansi[++i]));
      } else {
        AppendUtf8(out, b < 0x80 ? b : 0xFFFD);
      }
    }
    return out;
  }
  size_t FitPrefix(std::string_view ansi, size_t maxBytes) override {
    size_t i = 0;
    while (i < ansi.size()) {
      const size_t step = static_cast<uint8_t>(ansi[i]) == 0x88 ? 2 : 1;
      if (i + step > maxBytes) break;
      i += step;
    }
    return i;
  }
};

}  // namespace vek::test
