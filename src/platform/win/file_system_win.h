// The file system through the wide-character Win32 API.
#pragma once

#include "platform/file_system.h"
#include "platform/short_paths.h"

namespace vek::win {

class Win32FileSystem : public FileSystem {
 public:
  uint32_t Attributes(const std::string& path) override;
  bool ReadAll(const std::string& path, Bytes& out) override;
  bool ReadRange(const std::string& path, uint64_t offset, size_t count, Bytes& out) override;
  bool WriteAll(const std::string& path, const Bytes& data) override;
  bool Delete(const std::string& path) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Move(const std::string& from, const std::string& to) override;
  bool CreateFolder(const std::string& path) override;
  std::vector<DirEntry> List(const std::string& folder, const std::string& pattern) override;
  std::optional<std::vector<DirEntry>> TryList(const std::string& folder, const std::string& pattern) override;
  int64_t Length(const std::string& path) override;
};

// Short names through GetShortPathNameW.
class Win32ShortPaths : public ShortPaths {
 public:
  std::string ShortPath(const std::string& path) override;
  std::string LongPath(const std::string& path) override;
};

}  // namespace vek::win
