// One text of a file's version resource, such as the file description that titles a
// program's item. The lookup works on the resource's bytes and checks every bound, so
// any input gives a text or the empty text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace vek {

// The texts a version resource may hold, by field number.
namespace version_field {
constexpr int kComments = 0;
constexpr int kInternalName = 1;
constexpr int kProductName = 2;
constexpr int kCompanyName = 3;
constexpr int kLegalCopyright = 4;
constexpr int kProductVersion = 5;
constexpr int kFileDescription = 6;
constexpr int kLegalTrademarks = 7;
constexpr int kPrivateBuild = 8;
constexpr int kFileVersion = 9;
constexpr int kOriginalFilename = 10;
constexpr int kSpecialBuild = 11;
constexpr int kCount = 12;
}  // namespace version_field

// The key of a field ("FileDescription" for 6); empty outside 0..11.
const char* VersionFieldKey(int field);

// The bytes of a file's version resource. The Windows side reads them with
// GetFileVersionInfoSizeW / GetFileVersionInfoW.
class VersionResourceSource {
 public:
  virtual ~VersionResourceSource() = default;
  // False (and `out` empty) when the file has no version resource.
  virtual bool ReadVersionResource(const std::string& file, Bytes& out) = 0;
};

// The text of `field` in a version resource given as its bytes (UTF-16 little-endian
// structures), as UTF-8. The first text entry whose key matches is taken: a value-type
// word of 1 followed by the key and its NUL; the value begins at the next 32-bit
// boundary of the entry and runs to its NUL, the end of the entry or the end of the
// bytes. Empty for an unknown field, a missing key or an entry without a value.
std::string GetVersionString(const uint8_t* data, size_t size, int field);
std::string GetVersionString(const Bytes& resource, int field);

// The same for a file: empty when the file has no version resource.
std::string GetVersionString(VersionResourceSource& source, const std::string& file, int field);

}  // namespace vek
