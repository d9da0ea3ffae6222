// Little-endian field access and fixed-length ANSI text fields shared by the record
// codecs of the configuration and backup files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/ansi_codec.h"

namespace vek::record {

// The stored 16-bit booleans: -1 for true, 0 for false.
constexpr int16_t kTrue16 = -1;
constexpr int16_t kFalse16 = 0;

inline int32_t GetI32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}
inline int16_t GetI16(const uint8_t* p) {
  return static_cast<int16_t>(static_cast<uint16_t>(p[0] | p[1] << 8));
}
inline void PutI32(uint8_t* p, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  p[2] = static_cast<uint8_t>(v >> 16);
  p[3] = static_cast<uint8_t>(v >> 24);
}
inline void PutI16(uint8_t* p, int16_t value) {
  const uint16_t v = static_cast<uint16_t>(value);
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

// True when all `n` bytes are NUL.
bool AllNul(const uint8_t* p, size_t n);

// Why a file of `held` bytes cannot hold a format of `needed` bytes, in the words the
// unreadable-file message shows.
std::string ShortFileReason(size_t held, size_t needed);

// Writes a text field of `width` bytes: an empty text as NUL bytes (a field that holds
// nothing), any other converted to ANSI, cut to the width at a character boundary and
// padded with spaces. Returns false when some character had no ANSI equivalent.
bool PutText(uint8_t* p, size_t width, std::string_view text, AnsiCodec& codec);

// How a text field's bytes compare with what PutText writes for the text read from them.
enum class StoredText : uint8_t {
  kAsWritten,  // the same bytes
  kBlank,      // spaces only, for an empty text
  kOther,      // anything else: spaces before the text, bytes after a NUL, a character
               // the code page does not give back
};

// Reads a text field of `width` bytes: the converted bytes cut at the first NUL, without
// the spaces around them. `form`, when given, says how the bytes compare with what
// writing that text gives.
std::string GetText(const uint8_t* p, size_t width, AnsiCodec& codec, StoredText* form = nullptr);
// The same into `out`, whose storage is reused: a menu file is read into the items it
// was read into before.
void GetTextInto(const uint8_t* p, size_t width, AnsiCodec& codec, std::string& out, StoredText* form);

}  // namespace vek::record
