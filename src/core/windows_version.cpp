#include "core/windows_version.h"

#include "text/text.h"

namespace vek {

namespace {
std::string NameOf(const OsVersion& v) {
  if (v.platformId == 1) {
    switch (v.minor) {
      case 0: return "Microsoft Windows 95 ";
      case 10: return "Microsoft Windows 98 ";
      case 90: return "Microsoft Windows Mellennium ";
      default: return "";
    }
  }
  if (v.platformId != 2) return "";
  if (v.major == 3) return "Microsoft Windows NT 3.51 ";
  if (v.major == 4) return "Microsoft Windows NT 4.0 ";
  if (v.major == 5 && v.minor == 0) return "Microsoft Windows 2000 ";
  if (v.major == 5 && v.minor == 1) return "Microsoft Windows XP ";
  if (v.major == 5 && v.minor == 2) return "Microsoft Windows 2003 ";
  if (v.major == 6 && v.minor == 0) return "Microsoft Windows Vista ";
  if (v.major == 6 && v.minor == 1) return "Microsoft Windows 7 ";
  if (v.major == 6 && v.minor == 2) return "Microsoft Windows 2008 ";
  return "";
}
}  // namespace

WindowsVersionInfo DescribeWindowsVersion(const OsVersion& v) {
  WindowsVersionInfo info;
  const std::string name = NameOf(v);
  if (!name.empty())
    info.text = name + TrimFixed(v.servicePack) + " (Build " + std::to_string(v.build) + ")";
  if (v.platformId == 1) {
    info.refused = true;
  } else if (v.platformId == 2) {
    info.majorKnown = true;
    info.major = v.major;
  }
  return info;
}

}  // namespace vek
