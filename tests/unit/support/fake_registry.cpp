#include "support/fake_registry.h"

#include "support/version_bytes.h"
#include "text/text.h"

namespace vek::test {

FakeRegistry::KeyId FakeRegistry::Key(RegRoot root, const std::string& subKey) {
  std::string k = ToUpperAscii(subKey);
  while (!k.empty() && k.back() == '\\') k.pop_back();
  return {root, k};
}

RegStatus FakeRegistry::QueryValue(RegRoot root, const std::string& subKey, const std::string& name,
                                   uint32_t& type, std::vector<uint8_t>& data) {
  auto key = keys_.find(Key(root, subKey));
  // The root keys themselves always exist.
  if (key == keys_.end()) return RegStatus{subKey.empty(), reg_error::kFileNotFound};
  auto value = key->second.find(ToUpperAscii(name));
  if (value == key->second.end()) return RegStatus{true, reg_error::kFileNotFound};
  type = value->second.type;
  data = value->second.data;
  return RegStatus{true, reg_error::kSuccess};
}

RegStatus FakeRegistry::SetValue(RegRoot root, const std::string& subKey, const std::string& name,
                                 uint32_t type, const std::vector<uint8_t>& data) {
  if (denyCreate_) return RegStatus{false, reg_error::kAccessDenied};
  auto& key = keys_[Key(root, subKey)];
  if (writeError_ != 0) return RegStatus{true, writeError_};
  ++writes_;
  key[ToUpperAscii(name)] = Value{type, data};
  return RegStatus{true, reg_error::kSuccess};
}

RegStatus FakeRegistry::DeleteValue(RegRoot root, const std::string& subKey, const std::string& name) {
  if (denyCreate_) return RegStatus{false, reg_error::kAccessDenied};
  auto key = keys_.find(Key(root, subKey));
  if (key == keys_.end()) return RegStatus{false, reg_error::kFileNotFound};
  if (writeError_ != 0) return RegStatus{true, writeError_};
  return RegStatus{true, key->second.erase(ToUpperAscii(name)) ? reg_error::kSuccess
                                                                : reg_error::kFileNotFound};
}

void FakeRegistry::PutString(RegRoot root, const std::string& subKey, const std::string& name,
                             const std::string& text, bool withNul, uint32_t type) {
  std::vector<uint8_t> data;
  for (char16_t c : Utf16(text)) {
    data.push_back(static_cast<uint8_t>(c & 0xFF));
    data.push_back(static_cast<uint8_t>(c >> 8));
  }
  if (withNul) data.insert(data.end(), {0, 0});
  PutRaw(root, subKey, name, type, std::move(data));
}

void FakeRegistry::PutRaw(RegRoot root, const std::string& subKey, const std::string& name,
                          uint32_t type, std::vector<uint8_t> data) {
  keys_[Key(root, subKey)][ToUpperAscii(name)] = Value{type, std::move(data)};
}

bool FakeRegistry::HasValue(RegRoot root, const std::string& subKey, const std::string& name) const {
  auto key = keys_.find(Key(root, subKey));
  return key != keys_.end() && key->second.count(ToUpperAscii(name)) != 0;
}

bool FakeRegistry::HasKey(RegRoot root, const std::string& subKey) const {
  return keys_.count(Key(root, subKey)) != 0;
}

std::string FakeRegistry::StringOf(RegRoot root, const std::string& subKey,
                                   const std::string& name) const {
  auto key = keys_.find(Key(root, subKey));
  if (key == keys_.end()) return {};
  auto value = key->second.find(ToUpperAscii(name));
  if (value == key->second.end()) return {};
  std::string out;
  const auto& d = value->second.data;
  for (size_t i = 0; i + 1 < d.size() && (d[i] || d[i + 1]); i += 2) out += static_cast<char>(d[i]);
  return out;
}

}  // namespace vek::test
