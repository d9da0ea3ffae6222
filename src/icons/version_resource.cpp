#include "icons/version_resource.h"

#include <cstring>

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

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Units [first, last) as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(const Units& u, size_t first, size_t last) {
  std::string out;
  for (size_t k = first; k < last; ++k) {
    uint32_t c = u[k];
    if (c >= 0xD800 && c <= 0xDBFF && k + 1 < last && u[k + 1] >= 0xDC00 && u[k + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (u[k + 1] - 0xDC00);
      ++k;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    AppendUtf8(out, c);
  }
  return out;
}

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
    return ToUtf8(u, value, last);
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
