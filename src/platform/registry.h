// The registry as the portable core sees it: values under the predefined root keys,
// reached through the wide-character API on Windows and an in-memory fake in tests.
// Every call opens its key, does one thing and closes the key again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vek {

// The predefined keys that a key path may start with.
enum class RegRoot {
  kClassesRoot,
  kCurrentUser,
  kLocalMachine,
  kUsers,
  kPerformanceData,
  kCurrentConfig,
  kDynData,
};

// Value types (the Windows API codes).
namespace reg_type {
constexpr uint32_t kNone = 0;
constexpr uint32_t kSz = 1;
constexpr uint32_t kExpandSz = 2;
constexpr uint32_t kBinary = 3;
constexpr uint32_t kDword = 4;
constexpr uint32_t kMultiSz = 7;
}  // namespace reg_type

// Windows error codes the core looks at.
namespace reg_error {
constexpr int32_t kSuccess = 0;
constexpr int32_t kFileNotFound = 2;
constexpr int32_t kAccessDenied = 5;
}  // namespace reg_error

struct RegStatus {
  bool keyOpened = false;  // false: the key could not be opened (or created)
  int32_t error = 0;       // the result of the value operation when the key was opened
  bool ok() const { return keyOpened && error == reg_error::kSuccess; }
};

class Registry {
 public:
  virtual ~Registry() = default;

  // Reads a value with its type. String types come as the wide API stores them:
  // UTF-16 little-endian code units, terminating NULs included only if stored.
  virtual RegStatus QueryValue(RegRoot root, const std::string& subKey, const std::string& name,
                               uint32_t& type, std::vector<uint8_t>& data) = 0;
  // Writes a value, creating missing keys. `data` is in the same form as QueryValue's.
  virtual RegStatus SetValue(RegRoot root, const std::string& subKey, const std::string& name,
                             uint32_t type, const std::vector<uint8_t>& data) = 0;
  virtual RegStatus DeleteValue(RegRoot root, const std::string& subKey,
                                const std::string& name) = 0;
};

}  // namespace vek
