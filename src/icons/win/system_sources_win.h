// Drives and version resources through the Win32 API.
#pragma once

#include "icons/version_resource.h"
#include "platform/drives.h"

namespace vek::win {

class Win32Drives : public Drives {
 public:
  uint32_t DriveType(const std::string& root) override;
  std::vector<std::string> LogicalDriveRoots() override;
};

class Win32VersionResources : public VersionResourceSource {
 public:
  bool ReadVersionResource(const std::string& file, Bytes& out) override;
};

}  // namespace vek::win
