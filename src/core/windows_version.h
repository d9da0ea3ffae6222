// The readable Windows version text shown in the about box, and the rule that refuses
// the 9x family.
#pragma once

#include <cstdint>
#include <string>

namespace vek {

struct OsVersion {
  uint32_t platformId = 0;  // 1: the 9x family, 2: the NT family
  uint32_t major = 0;
  uint32_t minor = 0;
  uint32_t build = 0;
  std::string servicePack;  // szCSDVersion
};

struct WindowsVersionInfo {
  std::string text;      // e.g. "Microsoft Windows 7 Service Pack 1 (Build 7601)"; empty
                         // for a version not in the table
  bool refused = false;  // the 9x family: the program shows a message and ends
  bool majorKnown = false;
  uint32_t major = 0;    // dwMajorVersion on the NT family
};

WindowsVersionInfo DescribeWindowsVersion(const OsVersion& v);

}  // namespace vek
