// Fuzzes the version-resource lookup: any bytes, every field. A text found must be
// valid UTF-8 no longer than the input could hold, and nothing may be read past the end
// (the address sanitizer watches that).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "icons/version_resource.h"

using namespace vek;

namespace {

bool ValidUtf8(const std::string& s) {
  for (size_t i = 0; i < s.size();) {
    const uint8_t b = static_cast<uint8_t>(s[i]);
    const size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    for (size_t k = 1; k < len; ++k)
      if ((static_cast<uint8_t>(s[i + k]) >> 6) != 0x2) return false;
    i += len;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (int field = -1; field <= version_field::kCount; ++field) {
    const std::string text = GetVersionString(data, size, field);
    if ((field < 0 || field >= version_field::kCount) && !text.empty()) abort();
    // Each UTF-16 unit gives at most three UTF-8 bytes (a pair of units four).
    if (text.size() > size / 2 * 3) abort();
    if (!ValidUtf8(text)) abort();
  }
  return 0;
}
