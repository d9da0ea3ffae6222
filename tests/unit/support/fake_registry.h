// An in-memory registry: key paths and value names compare without regard to ASCII
// letter case, as in Windows.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace vek::test {

class FakeRegistry : public Registry {
 public:
  RegStatus QueryValue(RegRoot root, const std::string& subKey, const std::string& name,
                       uint32_t& type, std::vector<uint8_t>& data) override;
  RegStatus SetValue(RegRoot root, const std::string& subKey, const std::string& name,
                     uint32_t type, const std::vector<uint8_t>& data) override;
  RegStatus DeleteValue(RegRoot root, const std::string& subKey, const std::string& name) override;

  // Test set-up and inspection. Strings are stored as the wide API does (UTF-16LE).
  void PutString(RegRoot root, const std::string& subKey, const std::string& name,
                 const std::string& text, bool withNul = false, uint32_t type = 1);
  // A text as the wide API writes it, with the terminating NUL.
  void PutText(RegRoot root, const std::string& subKey, const std::string& name, const std::string& text,
               uint32_t type = 1) { PutString(root, subKey, name, text, true, type); }
  void PutRaw(RegRoot root, const std::string& subKey, const std::string& name, uint32_t type,
              std::vector<uint8_t> data);
  bool HasValue(RegRoot root, const std::string& subKey, const std::string& name) const;
  // The stored value decoded as ASCII text up to its terminating NUL (for assertions).
  std::string StringOf(RegRoot root, const std::string& subKey, const std::string& name) const;
  bool HasKey(RegRoot root, const std::string& subKey) const;
  // Every write fails with this error code (0: writes succeed).
  void FailWritesWith(int32_t error) { writeError_ = error; }
  // Keys cannot be created or opened for writing.
  void DenyKeyCreation(bool deny) { denyCreate_ = deny; }
  int writes() const { return writes_; }

 private:
  using KeyId = std::pair<RegRoot, std::string>;
  struct Value {
    uint32_t type;
    std::vector<uint8_t> data;
  };
  static KeyId Key(RegRoot root, const std::string& subKey);
  std::map<KeyId, std::map<std::string, Value>> keys_;
  int32_t writeError_ = 0;
  bool denyCreate_ = false;
  int writes_ = 0;
};

}  // namespace vek::test
