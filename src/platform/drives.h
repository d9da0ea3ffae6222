// The machine's drives as the portable core sees them: the type of a drive root and the
// list of logical drive roots. The Windows side answers with GetDriveTypeW and
// GetLogicalDriveStringsW; the native tests with a table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vek {

// Drive types (the values GetDriveType returns).
namespace drive_type {
constexpr uint32_t kUnknown = 0;
constexpr uint32_t kNoRootDir = 1;
constexpr uint32_t kRemovable = 2;
constexpr uint32_t kFixed = 3;
constexpr uint32_t kRemote = 4;
constexpr uint32_t kCdRom = 5;
constexpr uint32_t kRamDisk = 6;
}  // namespace drive_type

class Drives {
 public:
  virtual ~Drives() = default;
  // The type of the drive whose root is `root` ("C:\"); 0 or 1 when the system cannot
  // tell, any other number as the system reports it.
  virtual uint32_t DriveType(const std::string& root) = 0;
  // Every logical drive root ("A:\", "C:\", ...) in the system's order.
  virtual std::vector<std::string> LogicalDriveRoots() = 0;
};

}  // namespace vek
