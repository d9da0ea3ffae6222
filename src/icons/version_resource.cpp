#include "icons/version_resource.h"

#include <cstring>

#include "text/text.h"

namespace vek {

namespace {

constexpr const char* kKeys[version_field::kCount] = {
    "Comments",     "InternalName",   "ProductName",     "CompanyName",
    "LegalCopyright", "ProductVersion", "FileDescription", "LegalTrademarks",
    "PrivateBuild", "FileVersion",    "OriginalFilename", "SpecialBuild"};

// 16-bit little-endian code units over a byte buffer; an odd last byte is not a unit.
class Units {
 public:
  Units(const uint8_t* data, size_t size) : data_(data), count_(data ? size / 2 : 0) {}
  size_t size() const { return count_; }
  uint16_t operator[](size_t i) const {
    return static_cast<uint16_t>(data_[2 * i] | (data_[2 * i + 1] << 8));
  }

 private:
  const uint8_t* data_;
  size_t count_;
};


bool KeyAt(const Units& u, size_t at, const char* key, size_t keyLength) {
  if (at + keyLength >= u.size()) return false;  // the NUL must fit too
  for (size_t k = 0; k < keyLength; ++k)
    if (u[at + k] != static_cast<uint8_t>(key[k])) return false;
  return u[at + keyLength] == 0;
}

}  // namespace

const char* VersionFieldKey(int field) {
  return field >= 0 && field < version_field::kCount ? kKeys[field] : "";
}

std::string GetVersionString(const uint8_t* data, size_t size, int field) {
  if (field < 0 || field >= version_field::kCount || data == nullptr) return {};
  const char* key = kKeys[field];
  const size_t keyLength = std::strlen(key);
  const Units u(data, size);
  // A text entry: length in bytes, value length, type (1 = text), key, NUL, padding to
  // 32 bits, value.
  for (size_t type = 0; type + 1 < u.size(); ++type) {
    if (u[type] != 1 || !KeyAt(u, type + 1, key, keyLength)) continue;
    const bool hasHeader = type >= 2;
    const size_t entry = hasHeader ? type - 2 : 0;
    if (hasHeader && u[type - 1] == 0) return {};  // an entry without a value
    size_t value = type + 1 + keyLength + 1;
    if ((value - entry) % 2 != 0) ++value;
    size_t end = u.size();
    if (hasHeader) {
      // The entry's own length bounds the value when it is plausible.
      const size_t entryEnd = entry + u[entry] / 2;
      if (entryEnd > value && entryEnd < end) end = entryEnd;
    }
    if (value >= end) return {};
    size_t last = value;
    while (last < end && u[last] != 0) ++last;
    return Utf16LeToUtf8(data + 2 * value, last - value);
  }
  return {};
}

std::string GetVersionString(const Bytes& resource, int field) {
  return GetVersionString(resource.data(), resource.size(), field);
}

std::string GetVersionString(VersionResourceSource& source, const std::string& file, int field) {
  Bytes bytes;
  if (!source.ReadVersionResource(file, bytes)) return {};
  return GetVersionString(bytes, field);
}

}  // namespace vek
