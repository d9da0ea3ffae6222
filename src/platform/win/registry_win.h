// The registry through the wide-character Win32 API. Every call opens its key with the
// access it needs, and the key is closed on every path by its owner.
#pragma once

#include <windows.h>

#include "platform/registry.h"

namespace vek::win {

// The predefined key of a root.
HKEY RootKey(RegRoot root);

class Win32Registry : public Registry {
 public:
  RegStatus QueryValue(RegRoot root, const std::string& subKey, const std::string& name,
                       uint32_t& type, std::vector<uint8_t>& data) override;
  RegStatus SetValue(RegRoot root, const std::string& subKey, const std::string& name,
                     uint32_t type, const std::vector<uint8_t>& data) override;
  RegStatus DeleteValue(RegRoot root, const std::string& subKey, const std::string& name) override;
};

}  // namespace vek::win
