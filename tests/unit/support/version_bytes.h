// Builds version resources as resource compilers lay them out: VS_VERSIONINFO with its
// fixed file information, a StringFileInfo with one string table, and a VarFileInfo.
// Every entry is a length, a value length, a type (0 binary, 1 text), a NUL-terminated
// UTF-16 key, padding to 32 bits, the value, padding, then the children.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "support/fake_codec.h"

namespace vek::test {

// UTF-8 to UTF-16 code units (malformed bytes become U+FFFD).
inline std::u16string Utf16(const std::string& text) {
  std::u16string out;
  for (size_t i = 0; i < text.size();) {
    const uint32_t cp = codec_detail::NextCodePoint(text, i);
    if (cp == 0xFFFFFFFFu) {
      out += u'\uFFFD';
    } else if (cp >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

class VersionBytes {
 public:
  // Text entries in order, each key with its value (UTF-8).
  std::vector<std::pair<std::string, std::string>> strings;
  // Text entries whose value length is written as a byte count (some tools do that).
  bool valueLengthInBytes = false;

  Bytes Build() const {
    Bytes out;
    Node(out, "VS_VERSION_INFO", 0, FixedInfo(), 52, [&](Bytes& b) {
      Node(b, "StringFileInfo", 1, {}, 0, [&](Bytes& c) {
        Node(c, "040904B0", 1, {}, 0, [&](Bytes& d) {
          for (const auto& [key, value] : strings) {
            const std::u16string v = Utf16(value) + u'\0';
            Bytes valueBytes = Units(v);
            const uint16_t length = static_cast<uint16_t>(valueLengthInBytes ? v.size() * 2 : v.size());
            Node(d, key, 1, value.empty() ? Bytes{} : valueBytes, value.empty() ? 0 : length, nullptr);
          }
        });
      });
      Node(b, "VarFileInfo", 1, {}, 0, [&](Bytes& c) {
        Node(c, "Translation", 0, Bytes{0x09, 0x04, 0xB0, 0x04}, 4, nullptr);
      });
    });
    return out;
  }

 private:
  template <typename Children>
  static void Node(Bytes& out, const std::string& key, uint16_t type, const Bytes& value,
                   uint16_t valueLength, Children children) {
    Align(out);
    const size_t start = out.size();
    Put16(out, 0);  // length, patched below
    Put16(out, valueLength);
    Put16(out, type);
    const Bytes k = Units(Utf16(key) + u'\0');
    out.insert(out.end(), k.begin(), k.end());
    Align(out);
    out.insert(out.end(), value.begin(), value.end());
    if constexpr (!std::is_same_v<Children, std::nullptr_t>) children(out);
    const size_t length = out.size() - start;
    out[start] = static_cast<uint8_t>(length & 0xFF);
    out[start + 1] = static_cast<uint8_t>(length >> 8);
  }
  static Bytes FixedInfo() {
    Bytes b;
    for (uint32_t word : {0xFEEF04BDu, 0x00010000u, 0x00010006u, 0x00000044u, 0x00010006u,
                          0x00000044u, 0x3Fu, 0u, 0x40004u, 1u, 0u, 0u, 0u}) {
      for (int k = 0; k < 4; ++k) b.push_back(static_cast<uint8_t>(word >> (8 * k)));
    }
    return b;
  }
  static Bytes Units(const std::u16string& text) {
    Bytes b;
    for (char16_t c : text) Put16(b, static_cast<uint16_t>(c));
    return b;
  }
  static void Put16(Bytes& b, uint16_t v) {
    b.push_back(static_cast<uint8_t>(v & 0xFF));
    b.push_back(static_cast<uint8_t>(v >> 8));
  }
  static void Align(Bytes& b) {
    while (b.size() % 4 != 0) b.push_back(0);
  }
};

}  // namespace vek::test
