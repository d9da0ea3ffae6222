#include "platform/win/registry_win.h"

#include "platform/win/handles.h"
#include "platform/win/text_win.h"

namespace vek::win {

namespace {
// Values larger than this are not read (the program never needs more than a few KB).
constexpr DWORD kMaxValueBytes = 1u << 20;
}  // namespace

HKEY RootKey(RegRoot root) {
  switch (root) {
    case RegRoot::kClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegRoot::kCurrentUser:
      return HKEY_CURRENT_USER;
    case RegRoot::kLocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RegRoot::kUsers:
      return HKEY_USERS;
    case RegRoot::kPerformanceData:
      return HKEY_PERFORMANCE_DATA;
    case RegRoot::kCurrentConfig:
      return HKEY_CURRENT_CONFIG;
    case RegRoot::kDynData:
      return HKEY_DYN_DATA;
  }
  return nullptr;
}

RegStatus Win32Registry::QueryValue(RegRoot root, const std::string& subKey, const std::string& name,
                                    uint32_t& type, std::vector<uint8_t>& data) {
  data.clear();
  UniqueHKey key;
  LONG r = RegOpenKeyExW(RootKey(root), Wide(subKey).c_str(), 0, KEY_QUERY_VALUE, key.put());
  if (r != ERROR_SUCCESS) return RegStatus{false, static_cast<int32_t>(r)};
  const std::wstring valueName = Wide(name);
  // The value may change between asking for its size and reading it: try a few times.
  for (int attempt = 0; attempt < 3; ++attempt) {
    DWORD valueType = REG_NONE;
    DWORD size = 0;
    r = RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &valueType, nullptr, &size);
    if (r != ERROR_SUCCESS) return RegStatus{true, static_cast<int32_t>(r)};
    if (size > kMaxValueBytes) return RegStatus{true, ERROR_MORE_DATA};
    data.resize(size);
    r = RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &valueType,
                         data.empty() ? nullptr : data.data(), &size);
    if (r == ERROR_MORE_DATA) continue;
    if (r != ERROR_SUCCESS) {
      data.clear();
      return RegStatus{true, static_cast<int32_t>(r)};
    }
    data.resize(size);
    type = valueType;
    return RegStatus{true, ERROR_SUCCESS};
  }
  data.clear();
  return RegStatus{true, ERROR_MORE_DATA};
}

RegStatus Win32Registry::SetValue(RegRoot root, const std::string& subKey, const std::string& name,
                                  uint32_t type, const std::vector<uint8_t>& data) {
  UniqueHKey key;
  const LONG r = RegCreateKeyExW(RootKey(root), Wide(subKey).c_str(), 0, nullptr,
                                 REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.put(), nullptr);
  if (r != ERROR_SUCCESS) return RegStatus{false, static_cast<int32_t>(r)};
  static const BYTE kNothing = 0;
  const LONG s = RegSetValueExW(key.get(), Wide(name).c_str(), 0, type,
                                data.empty() ? &kNothing : data.data(), static_cast<DWORD>(data.size()));
  return RegStatus{true, static_cast<int32_t>(s)};
}

RegStatus Win32Registry::DeleteValue(RegRoot root, const std::string& subKey, const std::string& name) {
  UniqueHKey key;
  const LONG r = RegOpenKeyExW(RootKey(root), Wide(subKey).c_str(), 0, KEY_SET_VALUE, key.put());
  if (r != ERROR_SUCCESS) return RegStatus{false, static_cast<int32_t>(r)};
  return RegStatus{true, static_cast<int32_t>(RegDeleteValueW(key.get(), Wide(name).c_str()))};
}

}  // namespace vek::win
