// The file system as the portable core sees it. Paths are UTF-8 Windows paths
// ("C:\\folder\\file"); the Windows side implements this with the wide-character API,
// the native tests with an in-memory fake.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vek {

// The attribute bits the program looks at (the values of the Windows API).
namespace attr {
constexpr uint32_t kReadOnly = 0x1;
constexpr uint32_t kHidden = 0x2;
constexpr uint32_t kDirectory = 0x10;
constexpr uint32_t kArchive = 0x20;
constexpr uint32_t kNormal = 0x80;
constexpr uint32_t kInvalid = 0xFFFFFFFFu;  // no such file or folder
}  // namespace attr

struct DirEntry {
  std::string name;
  uint32_t attributes = 0;
};

using Bytes = std::vector<uint8_t>;

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // attr::kInvalid when nothing exists at the path.
  virtual uint32_t Attributes(const std::string& path) = 0;
  // Whole file; false when it cannot be opened or read.
  virtual bool ReadAll(const std::string& path, Bytes& out) = 0;
  // `count` bytes from the 0-based `offset`; false when the file is shorter or unreadable.
  virtual bool ReadRange(const std::string& path, uint64_t offset, size_t count, Bytes& out) = 0;
  // Creates or truncates the file and writes every byte; false on any failure.
  virtual bool WriteAll(const std::string& path, const Bytes& data) = 0;
  virtual bool Delete(const std::string& path) = 0;
  // Copies, replacing an existing destination.
  virtual bool Copy(const std::string& from, const std::string& to) = 0;
  // Renames, replacing an existing destination.
  virtual bool Move(const std::string& from, const std::string& to) = 0;
  // Creates one folder level; true when it exists afterwards.
  virtual bool CreateFolder(const std::string& path) = 0;
  // Entries of `folder` (ending with a backslash) matching the wildcard `pattern`, in the
  // file system's own order, "." and ".." included as the system reports them.
  virtual std::vector<DirEntry> List(const std::string& folder, const std::string& pattern) = 0;
  // As List, but nothing when the folder cannot be read (access denied, gone, a failing
  // device), so that a folder that cannot be read is not taken for an empty one.
  virtual std::optional<std::vector<DirEntry>> TryList(const std::string& folder, const std::string& pattern) {
    return List(folder, pattern);
  }
  // Length in bytes, or -1 when the file cannot be opened.
  virtual int64_t Length(const std::string& path) = 0;
  // True when the place holding `path` (a network place) did not answer lately, so that
  // its absence says nothing about the file.
  virtual bool Unreachable(const std::string& /*path*/) { return false; }
  // The network place holding `path` ("\\SERVER\SHARE\" or a mapped drive's "X:\") as
  // far as known without asking; empty for a local path.
  virtual std::string NetworkPlaceOf(const std::string& /*path*/) { return {}; }

  // Whether a file or folder exists at `path`; false for an empty path.
  bool Exists(const std::string& path) { return !path.empty() && Attributes(path) != attr::kInvalid; }
};

}  // namespace vek
