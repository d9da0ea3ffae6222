// The machine's drives as a table: roots in the order added, each with its drive type.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/drives.h"
#include "text/text.h"

namespace vek::test {

class TableDrives : public Drives {
 public:
  void Add(const std::string& root, uint32_t type) {
    roots.push_back(root);
    types[ToUpperAscii(root)] = type;
  }
  uint32_t DriveType(const std::string& root) override {
    auto it = types.find(ToUpperAscii(root));
    return it == types.end() ? drive_type::kNoRootDir : it->second;
  }
  std::vector<std::string> LogicalDriveRoots() override { return roots; }
  std::vector<std::string> roots;
  std::map<std::string, uint32_t> types;
};

}  // namespace vek::test
